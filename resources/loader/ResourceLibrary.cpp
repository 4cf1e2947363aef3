#include "ResourceLibrary.h"

#include "ElfImage.h"
#include "LibrarySeal.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>

namespace {

const QString kRoot = QStringLiteral(":/ZeltaIII/");

// Whether the file at `path` may be handed to the dynamic loader: an ELF shared object of this
// machine whose segments lie inside the file, carrying the seal the build put at its end over
// exactly its bytes. The loader maps the file and runs its constructors: a truncated or
// overwritten library would end the program with a signal instead of a message.
bool IsIntactLibrary(const QString& path, QString& detail) {
    if (!ElfImage::IsCompleteFile(QFile::encodeName(path).toStdString(),
                                  ElfImage::Kind::SharedObject)) {
        detail = path + QStringLiteral(": not a complete shared library of this machine");
        return false;
    }
    QFile file(path);
    const qint64 size = file.size();
    if (size <= kLibrarySealBytes || !file.open(QIODevice::ReadOnly)) {
        detail = path + QStringLiteral(": unreadable or without its seal");
        return false;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 left = size - kLibrarySealBytes;
    QByteArray block;
    while (left > 0) {
        block = file.read(std::min<qint64>(left, 1 << 16));
        if (block.isEmpty()) {
            break;
        }
        hash.addData(block);
        left -= block.size();
    }
    const QByteArray seal = file.read(kLibrarySealBytes);
    if (left != 0 || seal != LibrarySeal(hash.result())) {
        detail = path + QStringLiteral(": damaged (its seal does not match its contents)");
        return false;
    }
    return true;
}

// Where the system's own search would look: LD_LIBRARY_PATH, then the usual folders.
QStringList SystemLibraryFolders() {
    QStringList folders =
        qEnvironmentVariable("LD_LIBRARY_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << QStringLiteral("/usr/local/lib");
#ifdef ZELTA_MULTIARCH
    folders << QStringLiteral("/usr/lib/" ZELTA_MULTIARCH)
            << QStringLiteral("/lib/" ZELTA_MULTIARCH);
#endif
    folders << QStringLiteral("/usr/lib") << QStringLiteral("/lib");
    return folders;
}
const char* const kLanguageFolder[2] = {"en", "ja"};

// Reads a JSON object from the library; false with `error` set when it is missing or bad.
bool ReadJsonObject(const QString& relative, QJsonObject& out, QString& error,
                    bool optional = false) {
    QFile file(kRoot + relative);
    if (!file.open(QIODevice::ReadOnly)) {
        if (optional)
            return true;
        error = QStringLiteral("%1 is missing from the library").arg(relative);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        error = QStringLiteral("%1: %2 at offset %3")
                    .arg(relative, parseError.errorString())
                    .arg(parseError.offset);
        return false;
    }
    out = doc.object();
    return true;
}

// A table key must be a whole number in the resource id range.
bool ParseId(const QString& key, int& id) {
    bool ok = false;
    id = key.toInt(&ok);
    return ok && id > 0 && id <= 65535;
}

bool ParseMenuItems(const QJsonArray& array, std::vector<CMenuItem>& out, QString& error) {
    for (const QJsonValue& value : array) {
        if (!value.isObject()) {
            error = QStringLiteral("menu entry is not an object");
            return false;
        }
        const QJsonObject obj = value.toObject();
        CMenuItem item;
        item.separator = obj.value(QStringLiteral("separator")).toBool(false);
        item.checked = obj.value(QStringLiteral("checked")).toBool(false);
        item.grayed = obj.value(QStringLiteral("grayed")).toBool(false);
        item.text = obj.value(QStringLiteral("text")).toString();
        item.id = obj.value(QStringLiteral("id")).toInt(0);
        if (obj.contains(QStringLiteral("items"))) {
            item.popup = true;
            if (!obj.value(QStringLiteral("items")).isArray() ||
                !ParseMenuItems(obj.value(QStringLiteral("items")).toArray(), item.items, error))
                return false;
        }
        if (!item.separator && !item.popup && item.id <= 0) {
            error = QStringLiteral("menu item \"%1\" has no command id").arg(item.text);
            return false;
        }
        out.push_back(std::move(item));
    }
    return true;
}

// The templates name the dialog fonts they were laid out with; where those faces are not
// installed, use faces of nearly the same metrics instead of the platform's wider default.
void InstallFontSubstitutes() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"),
                               {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho"),
                                QStringLiteral("Noto Serif CJK JP")});
}

} // namespace

CResourceLibrary::CResourceLibrary() : m_language(SystemLanguage()) {}

CResourceLibrary::~CResourceLibrary() {
    Unload();
}

QString CResourceLibrary::LibraryFileName() {
#if defined(Q_OS_WIN)
    return QStringLiteral("ZeltaIII.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libZeltaIII.dylib");
#else
    return QStringLiteral("libZeltaIII.so");
#endif
}

CResourceLibrary::Language CResourceLibrary::LanguageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

CResourceLibrary::Language CResourceLibrary::SystemLanguage() {
    return LanguageForLocale(QLocale::system());
}

int CResourceLibrary::Load() {
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    return Load(folders);
}

int CResourceLibrary::Load(const QStringList& folders) {
    Unload();
    QStringList tried;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(LibraryFileName());
        if (!QFile::exists(path)) {
            tried << path + QStringLiteral(": not found");
            continue;
        }
        if (LoadFile(path) == 0)
            return 0;
        tried << m_errorDetail;
    }
    // The system's search, done here so that every candidate is checked before it is loaded.
    for (const QString& folder : SystemLibraryFolders()) {
        const QString path = QDir(folder).filePath(LibraryFileName());
        if (QFileInfo::exists(path)) {
            if (LoadFile(path) == 0)
                return 0;
            tried << m_errorDetail;
        }
    }
    return Fail(tried.join(QStringLiteral("; ")));
}

int CResourceLibrary::LoadFile(const QString& path) {
    Unload();
    QString damage;
    if (!IsIntactLibrary(path, damage))
        return Fail(damage);
    m_library.setFileName(path);
    if (!m_library.load())
        return Fail(m_library.errorString());
    m_filePath = m_library.fileName();
    if (ReadTables() != 0)
        return -1;
    InstallFontSubstitutes();
    m_loaded = true;
    m_error.clear();
    m_errorDetail.clear();
    return 0;
}

int CResourceLibrary::Fail(const QString& detail) {
    for (auto& table : m_strings)
        table.clear();
    for (auto& table : m_menus)
        table.clear();
    m_accelerators.clear();
    m_hotSpots.clear();
    m_version.clear();
    if (m_library.isLoaded())
        m_library.unload();
    m_loaded = false;
    m_filePath.clear();
    m_error = QStringLiteral("Unable to load library %1").arg(LibraryFileName());
    m_errorDetail = detail;
    return -1;
}

void CResourceLibrary::Unload() {
    for (auto& table : m_strings)
        table.clear();
    for (auto& table : m_menus)
        table.clear();
    m_accelerators.clear();
    m_hotSpots.clear();
    m_version.clear();
    if (m_library.isLoaded())
        m_library.unload();
    m_loaded = false;
    m_filePath.clear();
}

// Reads the tables of the freshly loaded library into memory. A library that loads but
// does not carry our tables (a different file of the same name) is a failed load.
int CResourceLibrary::ReadTables() {
    QString error;
    for (int lang = 0; lang < 2; ++lang) {
        const bool optional = lang != 0;
        QJsonObject strings;
        const QString stringsFile = QStringLiteral("strings/%1.json").arg(kLanguageFolder[lang]);
        if (!ReadJsonObject(stringsFile, strings, error, optional))
            return Fail(error);
        for (auto it = strings.begin(); it != strings.end(); ++it) {
            int id = 0;
            if (!ParseId(it.key(), id) || !it.value().isString())
                return Fail(QStringLiteral("%1: bad entry \"%2\"").arg(stringsFile, it.key()));
            m_strings[lang].insert(id, it.value().toString());
        }

        QJsonObject menus;
        const QString menusFile = QStringLiteral("menus/%1.json").arg(kLanguageFolder[lang]);
        if (!ReadJsonObject(menusFile, menus, error, optional))
            return Fail(error);
        for (auto it = menus.begin(); it != menus.end(); ++it) {
            CMenuTemplate menu;
            if (!ParseId(it.key(), menu.id) || !it.value().isArray())
                return Fail(QStringLiteral("%1: bad entry \"%2\"").arg(menusFile, it.key()));
            if (!ParseMenuItems(it.value().toArray(), menu.items, error))
                return Fail(QStringLiteral("%1, menu %2: %3").arg(menusFile, it.key(), error));
            m_menus[lang].insert(menu.id, std::move(menu));
        }
    }

    QJsonObject accelerators;
    if (!ReadJsonObject(QStringLiteral("accelerators.json"), accelerators, error))
        return Fail(error);
    for (auto it = accelerators.begin(); it != accelerators.end(); ++it) {
        int id = 0;
        if (!ParseId(it.key(), id) || !it.value().isArray())
            return Fail(QStringLiteral("accelerators.json: bad entry \"%1\"").arg(it.key()));
        std::vector<CAccelerator> table;
        for (const QJsonValue& value : it.value().toArray()) {
            const QJsonObject obj = value.toObject();
            CAccelerator accel;
            accel.key = QKeySequence::fromString(obj.value(QStringLiteral("key")).toString(),
                                                 QKeySequence::PortableText);
            accel.id = obj.value(QStringLiteral("id")).toInt(0);
            if (accel.key.isEmpty() || accel.id <= 0)
                return Fail(QStringLiteral("accelerators.json: bad key in table %1").arg(id));
            table.push_back(accel);
        }
        m_accelerators.insert(id, std::move(table));
    }

    QJsonObject cursors;
    if (!ReadJsonObject(QStringLiteral("cursors/cursors.json"), cursors, error))
        return Fail(error);
    for (auto it = cursors.begin(); it != cursors.end(); ++it) {
        int id = 0;
        const QJsonObject obj = it.value().toObject();
        if (!ParseId(it.key(), id))
            return Fail(QStringLiteral("cursors.json: bad entry \"%1\"").arg(it.key()));
        m_hotSpots.insert(id, QPoint(obj.value(QStringLiteral("hotX")).toInt(0),
                                     obj.value(QStringLiteral("hotY")).toInt(0)));
    }

    QJsonObject version;
    if (!ReadJsonObject(QStringLiteral("version.json"), version, error))
        return Fail(error);
    for (auto it = version.begin(); it != version.end(); ++it)
        m_version.insert(it.key(), it.value().toString());
    return 0;
}

QString CResourceLibrary::String(int id) const {
    if (Japanese()) {
        auto it = m_strings[1].constFind(id);
        if (it != m_strings[1].constEnd())
            return *it;
    }
    return m_strings[0].value(id);
}

bool CResourceLibrary::HasString(int id) const {
    return m_strings[0].contains(id) || (Japanese() && m_strings[1].contains(id));
}

std::string CResourceLibrary::GetString(int id) const {
    return String(id).toStdString();
}

std::vector<int> CResourceLibrary::StringIds() const {
    std::vector<int> ids(m_strings[0].keyBegin(), m_strings[0].keyEnd());
    std::sort(ids.begin(), ids.end());
    return ids;
}

CMenuTemplate CResourceLibrary::Menu(int id) const {
    if (Japanese()) {
        auto it = m_menus[1].constFind(id);
        if (it != m_menus[1].constEnd())
            return *it;
    }
    return m_menus[0].value(id);
}

std::vector<CAccelerator> CResourceLibrary::Accelerators(int id) const {
    return m_accelerators.value(id);
}

QString CResourceLibrary::DialogPath(int id) const {
    if (!m_loaded)
        return QString();
    if (Japanese()) {
        const QString path = kRoot + QStringLiteral("dialogs/ja/%1.ui").arg(id);
        if (QFile::exists(path))
            return path;
    }
    const QString path = kRoot + QStringLiteral("dialogs/en/%1.ui").arg(id);
    return QFile::exists(path) ? path : QString();
}

bool CResourceLibrary::HasDialog(int id) const {
    return !DialogPath(id).isEmpty();
}

QImage CResourceLibrary::Image(int id) const {
    if (!m_loaded)
        return QImage();
    return QImage(kRoot + QStringLiteral("bitmaps/%1.png").arg(id));
}

QPixmap CResourceLibrary::Bitmap(int id) const {
    return QPixmap::fromImage(Image(id));
}

QIcon CResourceLibrary::Icon(int id) const {
    QIcon icon;
    if (!m_loaded)
        return icon;
    const QDir folder(kRoot + QStringLiteral("icons"));
    const QStringList files =
        folder.entryList({QStringLiteral("%1_*.png").arg(id)}, QDir::Files, QDir::Name);
    // The pictures are read now, so the icon outlives an unload of the library.
    for (const QString& name : files)
        icon.addPixmap(QPixmap(folder.filePath(name)));
    return icon;
}

bool CResourceLibrary::HasCursor(int id) const {
    return m_loaded && QFile::exists(kRoot + QStringLiteral("cursors/%1.png").arg(id));
}

QCursor CResourceLibrary::Cursor(int id) const {
    if (!HasCursor(id))
        return QCursor(Qt::ArrowCursor);
    const QPixmap pixmap(kRoot + QStringLiteral("cursors/%1.png").arg(id));
    const QPoint hot = m_hotSpots.value(id, QPoint(0, 0));
    return QCursor(pixmap, hot.x(), hot.y());
}

QString CResourceLibrary::VersionValue(const QString& key) const {
    return m_version.value(key);
}
