#pragma once

#include "MenuTemplate.h"
#include "Messages.h"

#include <QCursor>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QLibrary>
#include <QLocale>
#include <QPixmap>
#include <QString>
#include <QStringList>
// The dialog loader builds widgets; a program without the widget stack uses the rest.
#if __has_include(<QWidget>)
#include <QWidget>
#else
class QWidget;
#endif

#include <memory>
#include <vector>

// The resource library libZeltaIII.so and everything it holds, served by numeric id:
// strings, menus, accelerator tables, dialog templates, bitmaps, icons and cursors.
//
// Every resource exists in English; many also exist in Japanese. The Japanese variant is
// used when the language is Japanese (the system locale's by default), and English
// wherever a resource has no Japanese variant.
class CResourceLibrary : public IStringTable {
public:
    enum class Language { English, Japanese };

    CResourceLibrary();
    ~CResourceLibrary() override;
    CResourceLibrary(const CResourceLibrary&) = delete;
    CResourceLibrary& operator=(const CResourceLibrary&) = delete;

    // The library's file name on this platform ("libZeltaIII.so").
    static QString LibraryFileName();

    // Loads the library by name: first from each of `folders` in order, then from the
    // folders of the system's library search (LD_LIBRARY_PATH, then the usual library
    // folders). With no folders given, the program's own folder is tried first. Every
    // candidate is checked before it is loaded (a complete shared library of this machine,
    // with the build's seal over its contents): a damaged one is refused, never loaded.
    // Returns 0, or -1 with ErrorText() set.
    int Load();
    int Load(const QStringList& folders);
    // Loads the library from one file only.
    int LoadFile(const QString& path);
    void Unload();
    bool IsLoaded() const { return m_loaded; }
    // "Unable to load library libZeltaIII.so" after a failed load; empty otherwise.
    QString ErrorText() const { return m_error; }
    // Why the last load failed, for a log or a test; empty after success.
    QString ErrorDetail() const { return m_errorDetail; }
    // Full path of the loaded file; empty when nothing is loaded.
    QString FilePath() const { return m_filePath; }

    // Japanese for a Japanese locale, English for every other.
    static Language LanguageForLocale(const QLocale& locale);
    static Language SystemLanguage();
    void SetLanguage(Language language) { m_language = language; }
    Language GetLanguage() const { return m_language; }

    // String `id` in the active language; an empty string (and false from HasString)
    // when the library has no such string.
    QString String(int id) const;
    bool HasString(int id) const;
    // IStringTable: the same text as UTF-8.
    std::string GetString(int id) const override;
    // Every string id of the English table, ascending.
    std::vector<int> StringIds() const;

    // Menu template `id`; an empty template when there is none.
    CMenuTemplate Menu(int id) const;
    // Accelerator table `id`; empty when there is none.
    std::vector<CAccelerator> Accelerators(int id) const;

    // The dialog loader (ResourceDialogs.cpp, target zelta_resloader; the rest is in
    // zelta_resstrings). Builds dialog template `id` as a widget tree. Controls with an id carry it
    // as their object name and as the property "controlId"; pictures already show their bitmap or
    // icon. Returns null when the library has no such template.
    std::unique_ptr<QWidget> LoadDialog(int id, QWidget* parent = nullptr) const;
    // Builds template `id` into an existing widget (a dialog class of the program): its
    // title, font and size are set and the template's controls become its children.
    // Returns 0, or -1 when there is no such template.
    int ApplyDialog(int id, QWidget* target) const;
    bool HasDialog(int id) const;
    // The control with numeric id `controlId` inside a dialog built from a template.
    static QWidget* FindControl(const QWidget* dialog, int controlId);

    QImage Image(int id) const;
    QPixmap Bitmap(int id) const;
    // Icon group `id` with every size the library holds; null when there is none.
    QIcon Icon(int id) const;
    // Cursor `id` with its hot spot; the arrow cursor when there is none.
    QCursor Cursor(int id) const;
    bool HasCursor(int id) const;
    // A field of the version block ("FileVersion", "ProductName", ...).
    QString VersionValue(const QString& key) const;

private:
    int Fail(const QString& detail);
    int ReadTables();
    QString DialogPath(int id) const;
    void FillPictures(QWidget* root) const;
    bool Japanese() const { return m_language == Language::Japanese; }

    QLibrary m_library;
    bool m_loaded = false;
    QString m_error;
    QString m_errorDetail;
    QString m_filePath;
    Language m_language;

    QHash<int, QString> m_strings[2]; // [0] English, [1] Japanese
    QHash<int, CMenuTemplate> m_menus[2];
    QHash<int, std::vector<CAccelerator>> m_accelerators;
    QHash<int, QPoint> m_hotSpots;
    QHash<QString, QString> m_version;
};
