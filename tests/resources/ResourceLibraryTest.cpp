#include "ResourceLibrary.h"
#include "DialogUnits.h"
#include "TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <QTreeView>
#include <QValidator>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Language = CResourceLibrary::Language;

QString LibraryPath() {
    return QDir(QStringLiteral(ZELTA_RESOURCE_LIBRARY_DIR))
        .filePath(CResourceLibrary::LibraryFileName());
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Dialog units to pixels at the average character size of the English dialog font, MS Sans
// Serif 8 pt as it maps here.
QSize EnglishBase() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return DialogBaseUnits(MappedDialogFont(font));
}
int PxX(int du) {
    return DialogUnitsToPixelsX(du, EnglishBase());
}
int PxY(int du) {
    return DialogUnitsToPixelsY(du, EnglishBase());
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = new CResourceLibrary;
        library->SetLanguage(Language::English);
        loadResult = library->LoadFile(LibraryPath());
    }
    static void TearDownTestSuite() {
        delete library;
        library = nullptr;
    }
    void SetUp() override {
        ASSERT_EQ(loadResult, 0) << library->ErrorDetail().toStdString();
        library->SetLanguage(Language::English);
    }
    void TearDown() override { library->SetLanguage(Language::English); }

    static CResourceLibrary* library;
    static int loadResult;
};

CResourceLibrary* ResourcesTest::library = nullptr;
int ResourcesTest::loadResult = -1;

// ---------------------------------------------------------------- loading

TEST(ResourceLoading, FindsTheLibraryNextToTheProgram) {
    const QFileInfo built(LibraryPath());
    if (built.absolutePath() !=
        QFileInfo(QCoreApplication::applicationDirPath()).absoluteFilePath())
        GTEST_SKIP() << "the test binary does not sit next to the library";
    CResourceLibrary lib;
    ASSERT_EQ(lib.Load(), 0) << lib.ErrorDetail().toStdString();
    EXPECT_TRUE(lib.IsLoaded());
    EXPECT_EQ(QFileInfo(lib.FilePath()).canonicalFilePath(), built.canonicalFilePath());
    EXPECT_TRUE(lib.ErrorText().isEmpty());
}

TEST(ResourceLoading, MissingOrBrokenLibraryIsReportedAndServesNothing) {
    const QString empty = QString::fromStdString(MakeTempDir("noresources"));
    const QString broken = QString::fromStdString(MakeTempDir("brokenresources"));
    {
        QFile junk(QDir(broken).filePath(CResourceLibrary::LibraryFileName()));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a shared library\n");
    }
    struct Case {
        const char* name;
        std::function<int(CResourceLibrary&)> load;
    };
    const std::vector<Case> cases = {
        {"empty folder, then the system search",
         [&](CResourceLibrary& l) { return l.Load({empty}); }},
        {"a file of the right name that is no library",
         [&](CResourceLibrary& l) { return l.Load({broken}); }},
        {"a path that does not exist",
         [&](CResourceLibrary& l) {
             return l.LoadFile(empty + QStringLiteral("/libZeltaIII.so"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CResourceLibrary lib;
        lib.SetLanguage(Language::English);
        EXPECT_EQ(c.load(lib), -1);
        EXPECT_FALSE(lib.IsLoaded());
        EXPECT_EQ(lib.ErrorText(), QStringLiteral("Unable to load library libZeltaIII.so"));
        EXPECT_FALSE(lib.ErrorDetail().isEmpty());
        EXPECT_TRUE(lib.String(128).isEmpty());
        EXPECT_EQ(lib.GetString(134), "");
        EXPECT_TRUE(lib.Menu(129).IsEmpty());
        EXPECT_EQ(lib.LoadDialog(100), nullptr);
        EXPECT_TRUE(lib.Image(144).isNull());
        EXPECT_TRUE(lib.Icon(128).isNull());
    }
}

// Damaged copies of the library: cut short, emptied, or overwritten at ten places. The loader
// refuses each before the dynamic loader maps it (a mapped segment past the end of the file is
// a bus error, an overwritten one can be anything), in this process and in zeltacli, which
// ends with the message and status 1, never with a signal.
TEST(ResourceLoading, EveryDamagedCopyIsRefusedWithTheMessage) {
    QFile original(LibraryPath());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray library = original.readAll();
    ASSERT_GT(library.size(), 100000);
    const qint64 size = library.size();
    const qint64 offsets[10] = {1,          64,           1000,     size / 10,
                                size / 5,   size * 2 / 5, size / 2, size * 3 / 4,
                                size - 100, size - 1};
    std::vector<std::pair<std::string, QByteArray>> damaged = {{"empty", QByteArray()}};
    for (const qint64 offset : offsets) {
        damaged.emplace_back("cut at " + std::to_string(offset), library.left(offset));
        QByteArray overwritten = library;
        for (qint64 i = offset; i < std::min(size, offset + 64); ++i)
            overwritten[i] = static_cast<char>(overwritten[i] ^ 0xa5);
        damaged.emplace_back("overwritten at " + std::to_string(offset), overwritten);
    }
    const QString folder = QString::fromStdString(MakeTempDir("damaged-library"));
    const QString copy = QDir(folder).filePath(CResourceLibrary::LibraryFileName());
#ifdef ZELTACLI_PATH
    const QString cli = QDir(folder).filePath(QStringLiteral("zeltacli"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELTACLI_PATH), cli));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
#endif
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        {
            QFile file(copy);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(file.write(bytes), bytes.size());
        }
        CResourceLibrary lib;
        EXPECT_EQ(lib.LoadFile(copy), -1);
        EXPECT_EQ(lib.ErrorText(), QStringLiteral("Unable to load library libZeltaIII.so"));
        EXPECT_FALSE(lib.IsLoaded());
#ifdef ZELTACLI_PATH
        QProcess run;
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(folder);
        run.start(cli, {QStringLiteral("--data"), QStringLiteral(ZELTA_SOURCE_DIR "/product"),
                        QStringLiteral("check")});
        ASSERT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 1);
        EXPECT_EQ(run.readAllStandardError(), "Unable to load library libZeltaIII.so\n");
#endif
    }
    // The intact copy still loads.
    {
        QFile file(copy);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(library);
    }
    CResourceLibrary lib;
    EXPECT_EQ(lib.LoadFile(copy), 0) << lib.ErrorDetail().toStdString();
}

TEST(ResourceLoading, UnloadForgetsEverythingAndReloadWorks) {
    CResourceLibrary lib;
    lib.SetLanguage(Language::English);
    ASSERT_EQ(lib.LoadFile(LibraryPath()), 0) << lib.ErrorDetail().toStdString();
    EXPECT_EQ(lib.String(134), QStringLiteral("English"));
    const QIcon icon = lib.Icon(128);
    const QCursor hand = lib.Cursor(147);
    lib.Unload();
    EXPECT_FALSE(lib.IsLoaded());
    // What was handed out before stays usable.
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_TRUE(lib.String(134).isEmpty());
    EXPECT_EQ(lib.LoadDialog(149), nullptr);
    ASSERT_EQ(lib.LoadFile(LibraryPath()), 0);
    EXPECT_EQ(lib.String(134), QStringLiteral("English"));
}

TEST(ResourceLanguage, JapaneseOnlyForAJapaneseLocale) {
    const std::vector<std::pair<const char*, Language>> cases = {
        {"ja_JP", Language::Japanese}, {"ja", Language::Japanese},   {"en_US", Language::English},
        {"de_DE", Language::English},  {"zh_CN", Language::English}, {"C", Language::English},
    };
    for (const auto& [name, language] : cases)
        EXPECT_EQ(CResourceLibrary::LanguageForLocale(QLocale(QString::fromLatin1(name))), language)
            << name;
}

// ---------------------------------------------------------------- strings

TEST_F(ResourcesTest, EnglishTextsAreExact) {
    const std::vector<std::pair<int, QString>> cases = {
        {128, U("ZeltaIII")},
        {129, U("\nThe graph of Capacitance\nThe graph of Capacitance\n\n\\Document\nDocument")},
        {184, U("\nThe graph of DCL\nThe graph of DCL\n\n\\Document\nDocument")},
        {134, U("English")},
        {32774, U("Select Temperature -55\u00b0C\nSelect Temperature -55\u00b0C")},
        {32783, U("Show Ripple Voltage\nShow Ripple Voltage")},
        {32799,
         U("Copy all graphs to clipboard in rich text format\nCopy all graphs to clipboard")},
        {32801, U("Select capacitor")},
        {34000, U("Vorn Part No.: 123456789101112/123456789101112")},
        {34003, U("Case: A AAA/A AAA  ")},
        {34004, U("Cannot open file %s\n")},
        {34005, U("Error in file %s at line %i\n")},
        {34007, U("Cannot read from file (line %i) %s \n")},
        {34010, U("The new version (%.1f) of ZeltaIII is now available.\nDo you want to download "
                  "and install it now?")},
        {34011, U("An error occured while downloading installation")},
        {34013, U("Update cannot be checked at the moment.\nIf your Internet connection is "
                  "working properly our service could be temporary unavailable.\nPlease try "
                  "again later.")},
        {34017, U("Capacitance: %g \u00b5F")},
        {34020, U("%g\u00b0C")},
        {34025, U("%g \u00b5A")},
        {34026, U(" - %c %g \u00b5F/%g V")},
        {34038, U("QAW 200\u00b0C")},
        {34050, U("TYPICAL leakage current. It can differ part from part. Maximal guaranteed "
                  "steady state value at rated voltage Vr, 25\u00b0C is ")},
        {34054, U("      - Guaranteed maximal ESR value defined at 100kHz, 25\u00b0C.")},
        {34057, U("File %s contains duplicate capacitor %s")},
        {57344, U("ZeltaIII")},
        {57345, U("Ready")},
        {57651, U("Arrange windows as non-overlapping tiles\nTile Windows")},
        {57665, U("Quit the application\nExit")},
        {59139, U("SCRL")},
        {61443, U("Untitled")},
        {61714, U("Please enter an integer between %1 and %2.")},
        {61716, U("Please enter no more than %1 characters.")},
        {61719, U("Please enter a positive integer.")},
    };
    for (const auto& [id, text] : cases) {
        SCOPED_TRACE(id);
        EXPECT_EQ(library->String(id), text);
    }
    EXPECT_TRUE(library->String(34022).startsWith(QStringLiteral("Contact: ")));
    EXPECT_TRUE(library->String(34022).contains(QLatin1Char('@')));
}

TEST_F(ResourcesTest, EveryReferencedStringExistsAndTheGapStaysEmpty) {
    std::vector<int> ids = {128, 129, 130, 131, 132, 133, 134, 153, 184};
    for (int id = 32771; id <= 32803; ++id) {
        if (id != 32773 && id != 32784 && id != 32790 && id != 32793)
            ids.push_back(id);
    }
    for (int id = 34000; id <= 34038; ++id)
        ids.push_back(id);
    for (int id = 34050; id <= 34057; ++id)
        ids.push_back(id);
    for (int id : {57344, 57345, 57606, 57607, 57609, 57650, 57651, 57652, 57664, 57665})
        ids.push_back(id);
    for (int id = 58112; id <= 58118; ++id)
        ids.push_back(id);
    for (int id = 59136; id <= 59141; ++id)
        ids.push_back(id);
    for (int id = 61712; id <= 61719; ++id)
        ids.push_back(id);
    ids.push_back(61443);
    for (Language language : {Language::English, Language::Japanese}) {
        library->SetLanguage(language);
        for (int id : ids) {
            SCOPED_TRACE(id);
            EXPECT_TRUE(library->HasString(id));
            EXPECT_FALSE(library->String(id).isEmpty());
        }
        for (int id = 34039; id <= 34049; ++id)
            EXPECT_FALSE(library->HasString(id)) << id;
    }
}

TEST_F(ResourcesTest, StringTableInterfaceHandsOutUtf8) {
    const IStringTable& table = *library;
    EXPECT_EQ(table.GetString(34017), "Capacitance: %g \xC2\xB5"
                                      "F");
    EXPECT_EQ(table.GetString(34009), "Not enough memory");
    EXPECT_EQ(table.GetString(34045), "");
    EXPECT_EQ(table.GetString(1), "");
}

// The conversions a message is formatted with, in order ("%s", "%i", "%.1f", "%1", ...).
QStringList Conversions(const QString& text) {
    static const QRegularExpression conversion(
        QStringLiteral("%(%|[0-9]+|[-+ #0]*[0-9]*(?:\\.[0-9]+)?[a-zA-Z])"));
    QStringList out;
    auto it = conversion.globalMatch(text);
    while (it.hasNext())
        out << it.next().captured(0);
    return out;
}

TEST_F(ResourcesTest, JapaneseTableKeepsFormatsAndFieldsOfEveryString) {
    library->SetLanguage(Language::Japanese);
    int translated = 0;
    for (int id : library->StringIds()) {
        SCOPED_TRACE(id);
        library->SetLanguage(Language::English);
        const QString english = library->String(id);
        library->SetLanguage(Language::Japanese);
        const QString japanese = library->String(id);
        if (japanese != english)
            ++translated;
        // A translation that reorders or drops a conversion would crash printf.
        EXPECT_EQ(Conversions(japanese), Conversions(english));
        // Prompts ("status text\ntooltip") and window-type strings keep their fields.
        if ((id >= 128 && id <= 184) || (id >= 32768 && id < 34000) || id >= 57344) {
            EXPECT_EQ(japanese.count(QLatin1Char('\n')), english.count(QLatin1Char('\n')));
        }
        // Leading and trailing blanks carry layout (34003, 34019, 34050, 34054).
        const int lead =
            int(english.size() -
                QString(english).remove(QRegularExpression(QStringLiteral("^ +"))).size());
        EXPECT_TRUE(japanese.startsWith(QString(lead, QLatin1Char(' '))));
        EXPECT_EQ(japanese.endsWith(QLatin1Char(' ')), english.endsWith(QLatin1Char(' ')));
    }
    EXPECT_GT(translated, 50);
}

TEST_F(ResourcesTest, LanguageMarkerAndFallback) {
    EXPECT_EQ(library->String(134), QStringLiteral("English"));
    library->SetLanguage(Language::Japanese);
    EXPECT_EQ(library->String(134), QStringLiteral("Japanese"));
    EXPECT_EQ(library->GetString(134), "Japanese");
    // Translated where a Japanese text exists, English otherwise.
    EXPECT_NE(library->String(34009), QStringLiteral("Not enough memory"));
    EXPECT_EQ(library->String(34024), U("%g \u00b5F"));
    EXPECT_EQ(library->String(34000), U("Vorn Part No.: 123456789101112/123456789101112"));
}

// ---------------------------------------------------------------- menus

// "Title{item:id|-|Popup{...}}" for a whole menu.
QString Describe(const std::vector<CMenuItem>& items, bool withText = true) {
    QStringList parts;
    for (const CMenuItem& item : items) {
        if (item.separator)
            parts << QStringLiteral("-");
        else if (item.popup)
            parts << (withText ? item.text : QString()) + QLatin1Char('{') +
                         Describe(item.items, withText) + QLatin1Char('}');
        else
            parts << (withText ? item.text + QLatin1Char(':') : QString()) +
                         QString::number(item.id);
    }
    return parts.join(QLatin1Char('|'));
}

const char* const kFile = "&File{Choose Another Capacitor:32785|-|Print Preview:57609|Print...:"
                          "57607|Print Setup...:57606|-|&Exit\tAlt+F4:57665}";
const char* const kEdit = "&Edit{Copy Graph to Clipboard:32771|Copy All Graphs to Clipboard :"
                          "32799|-|Copy Data to Clipboard:32772}";
const char* const kTemperatures = "{-55\u00b0C:32774| 25\u00b0C:32775| 85\u00b0C:32776|105\u00b0C:"
                                  "32789|125\u00b0C:32777|175\u00b0C:32802|200\u00b0C:32803|"
                                  "Custom ...:32778}";
const char* const kFrequency =
    "&Frequency setting{Set Measurement Point ...:32794|Delete Measurement Point:32795}";
const char* const kGraph = "&Graph{Show &Capacitance:32780|Show &ESR:32782|Show &Impedance:32779|"
                           "Show &DF:32781|-|Show Ripple &Voltage:32791|Show Ripple C&urrent:"
                           "32792|-|Show DC&L:32797}";
const char* const kItems =
    "E&Q. circuit diagram:32796|Generate &S-parameters:32798|&Capacitors comparison:32800";
const char* const kWindow = "&Window{&Cascade:57650|Tile &Horizontally:57651|Tile &Vertically:"
                            "57652|-|&Next:32786|-|C&lose:32787|Close &All:32788}";
const char* const kAbout = "&About ...:57664";

TEST_F(ResourcesTest, MenuBarsHaveTheirItemsInOrder) {
    const QString full = U(kFile) + "|" + U(kEdit) + "|&Temperature" + U(kTemperatures) + "|" +
                         U(kFrequency) + "|" + U(kGraph) + "|" + U(kItems) + "|" + U(kWindow) +
                         "|" + U(kAbout);
    EXPECT_EQ(Describe(library->Menu(129).items), full);

    const QString noWindows = U(kFile) + "|Temperature" + U(kTemperatures) + "|" + U(kGraph) + "|" +
                              U(kItems) + "|" + U(kAbout);
    EXPECT_EQ(Describe(library->Menu(128).items), noWindows);

    // The graph-window copies differ from 129 only in the temperature pop-up's title.
    QString copy = full;
    copy.replace(QStringLiteral("&Temperature{"), QStringLiteral("Temperature{"));
    for (int id : {130, 131, 132, 133, 153, 184})
        EXPECT_EQ(Describe(library->Menu(id).items), copy) << id;

    const QString comparison =
        U(kFile) +
        "|&Edit{Copy Graph to Clipboard:32771|Copy All Graphs to Clipboard :32799}"
        "|&Graph{Show &Capacitance:32780|Show &ESR:32782|Show &Impedance:32779|Show &DF:32781}"
        "|&Capacitors comparison:32800|C&ancel comparison:32801";
    EXPECT_EQ(Describe(library->Menu(192).items), comparison);
    QString comparisonNoWindows = comparison;
    comparisonNoWindows.remove(QStringLiteral(
        "|&Edit{Copy Graph to Clipboard:32771|Copy All Graphs to Clipboard :32799}"));
    EXPECT_EQ(Describe(library->Menu(193).items), comparisonNoWindows);
    EXPECT_TRUE(library->Menu(127).IsEmpty());
}

void CollectCommands(const std::vector<CMenuItem>& items, QSet<int>& out) {
    for (const CMenuItem& item : items) {
        if (item.popup)
            CollectCommands(item.items, out);
        else if (!item.separator)
            out.insert(item.id);
    }
}

void CollectTexts(const std::vector<CMenuItem>& items, QHash<int, QString>& out) {
    for (const CMenuItem& item : items) {
        if (item.popup)
            CollectTexts(item.items, out);
        else if (!item.separator)
            out.insert(item.id, item.text);
    }
}

TEST_F(ResourcesTest, JapaneseMenusMirrorTheEnglishOnes) {
    const int ids[] = {128, 129, 130, 131, 132, 133, 153, 184, 192, 193};
    QHash<int, std::vector<CMenuItem>> english;
    for (int id : ids)
        english.insert(id, library->Menu(id).items);
    library->SetLanguage(Language::Japanese);
    for (int id : ids) {
        SCOPED_TRACE(id);
        const CMenuTemplate japanese = library->Menu(id);
        EXPECT_EQ(Describe(japanese.items, false), Describe(english.value(id), false));
        const bool englishOnly = id == 192 || id == 193;
        EXPECT_EQ(Describe(japanese.items) == Describe(english.value(id)), englishOnly);
        if (englishOnly)
            continue;
        QHash<int, QString> texts;
        CollectTexts(japanese.items, texts);
        EXPECT_EQ(texts.value(32797), QStringLiteral("Show DC&L"));
        EXPECT_EQ(texts.value(32796), QStringLiteral("E&Q. circuit diagram"));
        EXPECT_EQ(texts.value(32798), QStringLiteral("Generate &S-parameters"));
        EXPECT_EQ(texts.value(32800), QStringLiteral("&Capacitors comparison"));
        if (texts.contains(32799)) {
            EXPECT_EQ(texts.value(32799), QStringLiteral("Copy All Graphs to Clipboard "));
        }
        EXPECT_NE(texts.value(32785), QStringLiteral("Choose Another Capacitor"));
    }
}

TEST_F(ResourcesTest, EveryMenuCommandHasAPrompt) {
    QSet<int> commands;
    for (Language language : {Language::English, Language::Japanese}) {
        library->SetLanguage(language);
        for (int id : {128, 129, 130, 131, 132, 133, 153, 184, 192, 193})
            CollectCommands(library->Menu(id).items, commands);
        for (int command : commands)
            EXPECT_TRUE(library->HasString(command)) << command;
    }
    // 32783 has a prompt and no menu item.
    EXPECT_FALSE(commands.contains(32783));
    EXPECT_TRUE(library->HasString(32783));
}

TEST_F(ResourcesTest, AcceleratorTables) {
    // Insert and Delete for the measurement point, then the standard copy, print and exit.
    const std::vector<CAccelerator> main = library->Accelerators(128);
    const std::pair<QKeySequence, int> expected[] = {{QKeySequence(Qt::Key_Insert), 32794},
                                                     {QKeySequence(Qt::Key_Delete), 32795},
                                                     {QKeySequence(Qt::CTRL | Qt::Key_C), 32771},
                                                     {QKeySequence(Qt::CTRL | Qt::Key_P), 57607},
                                                     {QKeySequence(Qt::CTRL | Qt::Key_Q), 57665}};
    ASSERT_EQ(main.size(), std::size(expected));
    for (size_t i = 0; i < main.size(); ++i) {
        EXPECT_EQ(main[i].key, expected[i].first) << i;
        EXPECT_EQ(main[i].id, expected[i].second) << i;
    }
    const std::vector<CAccelerator> preview = library->Accelerators(30997);
    ASSERT_EQ(preview.size(), 3u);
    EXPECT_EQ(preview[0].key, QKeySequence(Qt::Key_PageDown));
    EXPECT_EQ(preview[0].id, 58114);
    EXPECT_EQ(preview[1].key, QKeySequence(Qt::Key_PageUp));
    EXPECT_EQ(preview[2].key, QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(library->Accelerators(129).empty());
}

// ---------------------------------------------------------------- dialogs

struct DialogCase {
    int id;
    const char* title; // null: no caption
    int widthDu, heightDu;
    std::vector<std::pair<int, const char*>> controls; // id, widget class
};

const std::vector<DialogCase>& EnglishDialogs() {
    static const std::vector<DialogCase> cases = {
        {100,
         "About ZeltaIII",
         223,
         122,
         {{1, "QPushButton"}, {1019, "QLabel"}, {1020, "QLabel"}, {1021, "QLabel"}}},
        {130, nullptr, 443, 266, {{1018, "QLabel"}}},
        {131,
         "ZeltaIII",
         386,
         338,
         {{1042, "QComboBox"}, {1003, "QComboBox"}, {1004, "QComboBox"},  {1005, "QComboBox"},
          {1002, "QComboBox"}, {1007, "QComboBox"}, {1008, "QComboBox"},  {1009, "QLabel"},
          {1006, "QTreeView"}, {1010, "QLabel"},    {1011, "QLabel"},     {1012, "QLabel"},
          {1013, "QLabel"},    {1014, "QLabel"},    {1015, "QLabel"},     {1016, "QLabel"},
          {1017, "QLabel"},    {1046, "QLabel"},    {1047, "QLabel"},     {1048, "QPushButton"},
          {1, "QPushButton"},  {2, "QPushButton"},  {1026, "QPushButton"}}},
        {149,
         "Custom Temperature",
         136,
         52,
         {{1017, "QLineEdit"}, {1, "QPushButton"}, {2, "QPushButton"}}},
        {150,
         "ZeltaIII",
         386,
         337,
         {{1042, "QComboBox"}, {1003, "QComboBox"}, {1004, "QComboBox"},  {1005, "QComboBox"},
          {1002, "QComboBox"}, {1007, "QComboBox"}, {1008, "QComboBox"},  {1009, "QLabel"},
          {1006, "QTreeView"}, {1010, "QLabel"},    {1011, "QLabel"},     {1012, "QLabel"},
          {1013, "QLabel"},    {1014, "QLabel"},    {1015, "QLabel"},     {1016, "QLabel"},
          {1017, "QLabel"},    {1046, "QLabel"},    {1047, "QLabel"},     {1048, "QPushButton"},
          {1, "QPushButton"},  {2, "QPushButton"},  {1026, "QPushButton"}}},
        {154,
         "Set Measurement Point",
         186,
         62,
         {{1023, "QLineEdit"},
          {1025, "QGroupBox"},
          {1022, "QRadioButton"},
          {1024, "QRadioButton"},
          {1, "QPushButton"},
          {2, "QPushButton"}}},
        {158, nullptr, 155, 36, {}},
        {159,
         "New version download",
         186,
         63,
         {{2, "QPushButton"}, {1028, "QLabel"}, {1027, "QProgressBar"}}},
        {160,
         "Proxy server settings",
         205,
         140,
         {{1029, "QCheckBox"},
          {1032, "QGroupBox"},
          {1033, "QLabel"},
          {1030, "QLineEdit"},
          {1034, "QLabel"},
          {1031, "QLineEdit"},
          {1035, "QLabel"},
          {1037, "QLineEdit"},
          {1036, "QLabel"},
          {1038, "QLineEdit"},
          {1039, "QCheckBox"},
          {1, "QPushButton"},
          {2, "QPushButton"}}},
        {176, "Case Sizes", 789, 207, {{1049, "QLabel"}, {1058, "QScrollBar"}}},
        {181, "Model", 511, 151, {{1051, "QLabel"}, {1050, "QPlainTextEdit"}}},
        {182, "Model", 405, 151, {{1051, "QLabel"}, {1050, "QPlainTextEdit"}}},
        {183, "Model", 447, 151, {{1051, "QLabel"}, {1050, "QPlainTextEdit"}}},
        {185, nullptr, 358, 15, {{1052, "QComboBox"}, {1053, "QComboBox"}}},
        {189, "Case Sizes", 479, 354, {{1049, "QLabel"}}},
        {191,
         "Capacitors comparison",
         215,
         87,
         {{1056, "QLabel"},
          {1054, "QPushButton"},
          {1057, "QLabel"},
          {1055, "QPushButton"},
          {1, "QPushButton"},
          {2, "QPushButton"}}},
    };
    return cases;
}

// Every control with a numeric id, by id.
QMultiMap<int, QWidget*> ControlsById(const QWidget* dialog) {
    QMultiMap<int, QWidget*> out;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        const QVariant id = w->property("controlId");
        if (id.isValid())
            out.insert(id.toInt(), w);
    }
    return out;
}

// Every control lies inside the dialog, and no two controls cover each other (group
// boxes frame other controls and are left out).
void ExpectTidyLayout(const QWidget* dialog) {
    const QList<QWidget*> controls =
        dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : controls)
        EXPECT_TRUE(dialog->rect().contains(w->geometry()))
            << w->objectName().toStdString() << " lies outside the dialog";
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            if (controls[i]->inherits("QGroupBox") || controls[j]->inherits("QGroupBox"))
                continue;
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " and "
                << controls[j]->objectName().toStdString() << " overlap";
        }
    }
}

TEST_F(ResourcesTest, EveryDialogHasItsControlsInsideItsSize) {
    for (const DialogCase& c : EnglishDialogs()) {
        SCOPED_TRACE(c.id);
        std::unique_ptr<QWidget> dialog = library->LoadDialog(c.id);
        ASSERT_NE(dialog, nullptr);
        // A picture larger than its control grows the dialog.
        const QSize laidOut(PxX(c.widthDu), PxY(c.heightDu));
        if (dialog->findChildren<QLabel*>().isEmpty() ||
            std::none_of(c.controls.begin(), c.controls.end(), [](const auto& control) {
                return control.first == 1049 || control.first == 1051;
            })) {
            EXPECT_EQ(dialog->size(), laidOut);
        } else {
            EXPECT_GE(dialog->width(), laidOut.width());
            EXPECT_GE(dialog->height(), laidOut.height());
        }
        if (c.title) {
            EXPECT_EQ(dialog->windowTitle(), U(c.title));
        } else {
            EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
        }
        EXPECT_EQ(c.id == 185, qobject_cast<QDialog*>(dialog.get()) == nullptr);
        const QMultiMap<int, QWidget*> controls = ControlsById(dialog.get());
        for (const auto& [id, cls] : c.controls) {
            SCOPED_TRACE(id);
            ASSERT_EQ(controls.count(id), 1);
            QWidget* control = CResourceLibrary::FindControl(dialog.get(), id);
            ASSERT_NE(control, nullptr);
            EXPECT_TRUE(control->inherits(cls)) << control->metaObject()->className();
            // The program's dialogs also look controls up by their object name.
            EXPECT_EQ(dialog->findChild<QWidget*>(QString::number(id)), control);
        }
        EXPECT_EQ(controls.size(), int(c.controls.size()));
        ExpectTidyLayout(dialog.get());
    }
    EXPECT_EQ(library->LoadDialog(4242), nullptr);
    EXPECT_FALSE(library->HasDialog(102));
}

// The text of a label, button, check box or group box.
QString TextOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return QString();
}

TEST_F(ResourcesTest, ControlTextsAndKinds) {
    const std::vector<std::tuple<int, int, QString>> texts = {
        {100, 1, U("OK")},
        {100, 1020, U("x.xx")},
        {100, 1021, U("ZeltaIII")},
        {131, 1, U("Next >>")},
        {131, 2, U("Quit")},
        {131, 1026, U("Update via Internet")},
        {131, 1048, U("Case sizes")},
        {131, 1046, U("ESR Max. @100kHz")},
        {131, 1047, U("ESL")},
        {150, 1, U("OK")},
        {150, 2, U("Cancel")},
        {154, 1025, U("Temperature")},
        {154, 1022, U("25\u00b0C")},
        {154, 1024, U("Name")},
        {159, 1028, U("Connecting ...")},
        {160, 1029, U("Use proxy server")},
        {160, 1032, U("Proxy server")},
        {160, 1033, U("Address")},
        {160, 1034, U("Port")},
        {160, 1035, U("User Name")},
        {160, 1036, U("Password")},
        {160, 1039, U("Save password")},
        {191, 1054, U("Select ...")},
        {191, 1055, U("Select ...")},
    };
    for (const auto& [dialogId, controlId, text] : texts) {
        SCOPED_TRACE(dialogId * 10000 + controlId);
        std::unique_ptr<QWidget> dialog = library->LoadDialog(dialogId);
        ASSERT_NE(dialog, nullptr);
        QWidget* control = CResourceLibrary::FindControl(dialog.get(), controlId);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(TextOf(control), text);
    }

    // Texts of controls without identifier.
    const std::vector<std::pair<int, QString>> captions = {
        {100, U("Version:")},    {100, U("Issued by Vorn Technical Marketing Tantalum Division")},
        {100, U("Contact:")},    {131, U("Filter")},
        {149, U("\u00b0C")},     {154, U("Frequency")},
        {154, U("Hz")},          {158, U("Checking for update ... please wait")},
        {159, U("Status: ")},    {185, U("Application voltage (% of Vr)")},
        {185, U("Temperature")}, {191, U("Following capacitors will be compared:")},
    };
    for (const auto& [dialogId, caption] : captions) {
        SCOPED_TRACE(caption.toStdString());
        std::unique_ptr<QWidget> dialog = library->LoadDialog(dialogId);
        ASSERT_NE(dialog, nullptr);
        QStringList all;
        for (QWidget* w : dialog->findChildren<QWidget*>())
            all << TextOf(w);
        EXPECT_TRUE(all.contains(caption));
    }

    std::unique_ptr<QWidget> about = library->LoadDialog(100);
    EXPECT_TRUE(TextOf(CResourceLibrary::FindControl(about.get(), 1019)).contains('@'));
    EXPECT_TRUE(
        qobject_cast<QPushButton*>(CResourceLibrary::FindControl(about.get(), 1))->isDefault());

    std::unique_ptr<QWidget> compare = library->LoadDialog(191);
    EXPECT_TRUE(
        TextOf(CResourceLibrary::FindControl(compare.get(), 1056)).startsWith("Capacitor 1: "));
    EXPECT_TRUE(
        TextOf(CResourceLibrary::FindControl(compare.get(), 1057)).startsWith("Capacitor 2: "));
}

TEST_F(ResourcesTest, SelectionDialogDetails) {
    for (int id : {131, 150}) {
        SCOPED_TRACE(id);
        std::unique_ptr<QWidget> dialog = library->LoadDialog(id);
        ASSERT_NE(dialog, nullptr);
        auto* technology =
            qobject_cast<QComboBox*>(CResourceLibrary::FindControl(dialog.get(), 1042));
        ASSERT_NE(technology, nullptr);
        ASSERT_EQ(technology->count(), 1);
        EXPECT_TRUE(technology->itemText(0).isEmpty());
        EXPECT_FALSE(technology->isEditable());
        EXPECT_TRUE(qobject_cast<QPushButton*>(CResourceLibrary::FindControl(dialog.get(), 1))
                        ->isDefault());
        // The notice, byte for byte with its double blanks.
        QStringList labels;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        EXPECT_TRUE(labels.contains(U("NOTICE: Specifications are subject to change without "
                                      "notice. All statements, information and data")));
        EXPECT_TRUE(labels.contains(
            U("given  herein are  believed  to  be accurate and  reliable, but  are presented  "
              "without  guarantee or responsibility of any  kind, expressed or implied. "
              "Specifications are typical  and  may not apply to all applications.")));
        for (const char* caption : {"Capacitance [\u00b5F]", "Rated Voltage [V]", "Case", "Series",
                                    "Tolerance", "ESR [mOhm]", "Vorn Part No. ", "Capacitance",
                                    "Rated Voltage", "Case Size", "DCL Max.", "DF Max."})
            EXPECT_TRUE(labels.contains(U(caption))) << caption;
        // The series picture waits hidden until the pictures are loaded.
        dialog->show();
        EXPECT_FALSE(CResourceLibrary::FindControl(dialog.get(), 1009)->isVisible());
        EXPECT_TRUE(CResourceLibrary::FindControl(dialog.get(), 1006)->isVisible());
        // Below the etched line, 259 dialog units down, only the notice and the buttons.
        const int separator = PxY(259);
        for (int below : {1, 2, 1026})
            EXPECT_GT(CResourceLibrary::FindControl(dialog.get(), below)->y(), separator + 1);
        for (int above : {1006, 1009, 1048, 1010, 1017})
            EXPECT_LT(CResourceLibrary::FindControl(dialog.get(), above)->geometry().bottom(),
                      separator);
    }
}

TEST_F(ResourcesTest, EditKindsAndPictures) {
    std::unique_ptr<QWidget> proxy = library->LoadDialog(160);
    auto* password = qobject_cast<QLineEdit*>(CResourceLibrary::FindControl(proxy.get(), 1038));
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    auto* port = qobject_cast<QLineEdit*>(CResourceLibrary::FindControl(proxy.get(), 1031));
    ASSERT_NE(port, nullptr);
    ASSERT_NE(port->validator(), nullptr);
    QString digits = QStringLiteral("8080");
    QString letters = QStringLiteral("80a");
    int pos = 0;
    EXPECT_EQ(port->validator()->validate(digits, pos), QValidator::Acceptable);
    EXPECT_EQ(port->validator()->validate(letters, pos), QValidator::Invalid);
    EXPECT_EQ(
        qobject_cast<QLineEdit*>(CResourceLibrary::FindControl(proxy.get(), 1030))->validator(),
        nullptr);

    std::unique_ptr<QWidget> point = library->LoadDialog(154);
    point->show();
    EXPECT_FALSE(CResourceLibrary::FindControl(point.get(), 1024)->isVisible());
    EXPECT_TRUE(CResourceLibrary::FindControl(point.get(), 1022)->isVisible());

    const std::vector<std::tuple<int, int, QSize>> pictures = {
        {181, 178, QSize(628, 224)}, {182, 179, QSize(465, 224)}, {183, 180, QSize(530, 224)}};
    for (const auto& [dialogId, bitmapId, size] : pictures) {
        SCOPED_TRACE(dialogId);
        std::unique_ptr<QWidget> model = library->LoadDialog(dialogId);
        auto* picture = qobject_cast<QLabel*>(CResourceLibrary::FindControl(model.get(), 1051));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->pixmap().size(), size);
        EXPECT_EQ(picture->property("bitmapId").toInt(), bitmapId);
        EXPECT_TRUE(picture->property("notify").toBool());
        // The picture is shown whole.
        EXPECT_GE(picture->width(), size.width());
        EXPECT_GE(picture->height(), size.height());
        auto* text =
            qobject_cast<QPlainTextEdit*>(CResourceLibrary::FindControl(model.get(), 1050));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->isReadOnly());
    }
    std::unique_ptr<QWidget> chart = library->LoadDialog(189);
    auto* chartPicture = qobject_cast<QLabel*>(CResourceLibrary::FindControl(chart.get(), 1049));
    EXPECT_EQ(chartPicture->pixmap().size(), QSize(718, 575));
    std::unique_ptr<QWidget> about = library->LoadDialog(100);
    bool hasIcon = false;
    for (QLabel* label : about->findChildren<QLabel*>())
        hasIcon =
            hasIcon || (label->property("iconId").toInt() == 128 && !label->pixmap().isNull());
    EXPECT_TRUE(hasIcon);
}

TEST_F(ResourcesTest, ApplyDialogBuildsATemplateIntoAProgramDialog) {
    QDialog target;
    ASSERT_EQ(library->ApplyDialog(150, &target), 0);
    EXPECT_EQ(target.windowTitle(), QStringLiteral("ZeltaIII"));
    EXPECT_EQ(target.size(), QSize(PxX(386), PxY(337)));
    target.show();
    QWidget* list = CResourceLibrary::FindControl(&target, 1006);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->parentWidget(), &target);
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(CResourceLibrary::FindControl(&target, 1009)->isVisible());
    EXPECT_EQ(CResourceLibrary::FindControl(&target, 1006)->pos(), QPoint(PxX(7), PxY(70)));

    QDialog splash;
    ASSERT_EQ(library->ApplyDialog(130, &splash), 0);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_NE(CResourceLibrary::FindControl(&splash, 1018), nullptr);
    QDialog none;
    EXPECT_EQ(library->ApplyDialog(4242, &none), -1);
    EXPECT_EQ(library->ApplyDialog(100, nullptr), -1);
}

TEST_F(ResourcesTest, JapaneseDialogsAndEnglishOnlyTemplates) {
    QHash<int, QSet<int>> englishIds;
    QHash<int, QString> englishTitles;
    const int translated[] = {100, 131, 149, 150, 154, 158, 159, 160};
    for (int id : translated) {
        std::unique_ptr<QWidget> dialog = library->LoadDialog(id);
        const QList<int> keys = ControlsById(dialog.get()).keys();
        englishIds.insert(id, QSet<int>(keys.begin(), keys.end()));
        englishTitles.insert(id, dialog->windowTitle());
    }
    library->SetLanguage(Language::Japanese);
    for (int id : translated) {
        SCOPED_TRACE(id);
        std::unique_ptr<QWidget> dialog = library->LoadDialog(id);
        ASSERT_NE(dialog, nullptr);
        const QList<int> keys = ControlsById(dialog.get()).keys();
        EXPECT_EQ(QSet<int>(keys.begin(), keys.end()), englishIds.value(id));
        EXPECT_EQ(dialog->font().family(), QStringLiteral("IPAMincho"));
        EXPECT_EQ(dialog->font().pointSize(), 10);
        ExpectTidyLayout(dialog.get());
        if (id == 100 || id == 149 || id == 154 || id == 159 || id == 160) {
            EXPECT_NE(dialog->windowTitle(), englishTitles.value(id));
        }
    }
    std::unique_ptr<QWidget> select = library->LoadDialog(131);
    EXPECT_NE(TextOf(CResourceLibrary::FindControl(select.get(), 2)), QStringLiteral("Quit"));
    // Templates without a Japanese variant stay English.
    for (int id : {181, 191, 176}) {
        std::unique_ptr<QWidget> dialog = library->LoadDialog(id);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->font().family(), QStringLiteral("Liberation Sans")) << id;
    }
    EXPECT_EQ(library->LoadDialog(181)->windowTitle(), QStringLiteral("Model"));
}

// Why `control`'s text does not fit it (one line, or the lines a word-wrapped label allows);
// empty when it fits.
std::string TextMisfit(QWidget* control) {
    const QFontMetrics metrics(control->font());
    QString text = TextOf(control);
    if (text.isEmpty())
        return {};
    const QStyle* style = control->style();
    QRect room = control->rect();
    int extra = 0;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        room = label->contentsRect();
        if (label->wordWrap()) {
            const QRect wrapped =
                metrics.boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, text);
            if (wrapped.width() > room.width() || wrapped.height() > room.height())
                return "wraps to " + std::to_string(wrapped.height() / metrics.lineSpacing()) +
                       " lines in " + std::to_string(room.width()) + " x " +
                       std::to_string(room.height());
            return {};
        }
    } else if (qobject_cast<QPushButton*>(control) != nullptr) {
        extra = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control) + 4;
    } else if (qobject_cast<QRadioButton*>(control) != nullptr) {
        extra = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
                style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control);
    } else if (qobject_cast<QCheckBox*>(control) != nullptr) {
        extra = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
                style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
    } else if (qobject_cast<QGroupBox*>(control) != nullptr) {
        extra = 16; // the title's indent and its gap in the frame line
    }
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const int width = metrics.horizontalAdvance(text) + extra;
    if (width > room.width() || metrics.height() > room.height())
        return "needs " + std::to_string(width) + " x " + std::to_string(metrics.height()) +
               " in " + std::to_string(room.width()) + " x " + std::to_string(room.height());
    return {};
}

// The title bar shows the whole title beside the window icon and three buttons.
std::string TitleMisfit(const QWidget* dialog) {
    if (dialog->windowTitle().isEmpty() || dialog->windowFlags() & Qt::FramelessWindowHint)
        return {};
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(dialog->windowTitle()) + 4 * metrics.height() + 16;
    if (width > dialog->width())
        return "title needs " + std::to_string(width) + " in " + std::to_string(dialog->width());
    return {};
}

// Every template of both languages, built as the program builds it: every static text,
// button, check box and group box title fits its control with the font the dialog really
// uses, and the title fits the title bar.
TEST_F(ResourcesTest, EveryTextFitsItsControlInBothLanguages) {
    const QStringList files = QDir(QStringLiteral(":/ZeltaIII/dialogs/en"))
                                  .entryList({QStringLiteral("*.ui")}, QDir::Files);
    ASSERT_GE(files.size(), 16);
    for (Language language : {Language::English, Language::Japanese}) {
        library->SetLanguage(language);
        for (const QString& file : files) {
            const int id = QFileInfo(file).baseName().toInt();
            SCOPED_TRACE(testing::Message()
                         << (language == Language::English ? "en " : "ja ") << id);
            std::unique_ptr<QWidget> dialog = library->LoadDialog(id);
            ASSERT_NE(dialog, nullptr);
            // The mapped face is installed, not a fallback of the font configuration.
            EXPECT_EQ(QFontInfo(dialog->font()).family().toStdString(),
                      dialog->font().family().toStdString());
            EXPECT_EQ(TitleMisfit(dialog.get()), "");
            for (QWidget* control : dialog->findChildren<QWidget*>()) {
                if (!control->property("dialogUnits").isValid())
                    continue;
                EXPECT_EQ(TextMisfit(control), "") << control->objectName().toStdString() << " \""
                                                   << TextOf(control).toStdString() << "\"";
            }
        }
    }
}

// ---------------------------------------------------------------- pictures

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

TEST_F(ResourcesTest, EveryBitmapHasItsSize) {
    std::vector<std::pair<int, QSize>> bitmaps = {{144, QSize(640, 428)},   {152, QSize(92, 39)},
                                                  {175, QSize(1191, 1669)}, {178, QSize(628, 224)},
                                                  {179, QSize(465, 224)},   {180, QSize(530, 224)},
                                                  {188, QSize(718, 575)}};
    for (int id : {138, 139, 140, 141, 142, 143, 156, 157, 161, 162, 163, 164, 165,
                   166, 168, 169, 170, 186, 187, 190, 195, 196, 197, 198, 199})
        bitmaps.push_back({id, QSize(176, 247)});
    for (const auto& [id, size] : bitmaps) {
        SCOPED_TRACE(id);
        const QImage image = library->Image(id);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), size);
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_GT(DistinctColours(image), 8) << "an empty picture";
        EXPECT_EQ(library->Bitmap(id).size(), size);
    }
    EXPECT_TRUE(library->Image(167).isNull());
}

TEST_F(ResourcesTest, IconsAndTheHandCursor) {
    const QIcon app = library->Icon(128);
    ASSERT_FALSE(app.isNull());
    const QList<QSize> sizes = app.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    for (int id : {129, 130, 131, 132, 133, 153, 184}) {
        SCOPED_TRACE(id);
        const QIcon icon = library->Icon(id);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
        EXPECT_GT(DistinctColours(icon.pixmap(32, 32).toImage()), 2);
    }
    EXPECT_TRUE(library->Icon(4242).isNull());

    ASSERT_TRUE(library->HasCursor(147));
    const QCursor hand = library->Cursor(147);
    const QImage shape = hand.pixmap().toImage();
    ASSERT_EQ(shape.size(), QSize(32, 32));
    const QPoint hot = hand.hotSpot();
    ASSERT_TRUE(shape.rect().contains(hot));
    // The hot spot is the finger tip: an opaque pixel with nothing opaque above it.
    EXPECT_NE(qAlpha(shape.pixel(hot)), 0);
    for (int y = 0; y < hot.y(); ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(qAlpha(shape.pixel(x, y)), 0) << x << "," << y;
    // Monochrome: black, white and transparent only.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = shape.pixel(x, y);
            if (qAlpha(p) != 0) {
                EXPECT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255)) << x << "," << y;
            }
        }
    EXPECT_EQ(library->Cursor(4242).shape(), Qt::ArrowCursor);
}

TEST_F(ResourcesTest, VersionBlock) {
    EXPECT_EQ(library->VersionValue(QStringLiteral("ProductName")), QStringLiteral("ZeltaIII"));
    EXPECT_EQ(library->VersionValue(QStringLiteral("InternalName")), QStringLiteral("ZeltaIII"));
    EXPECT_EQ(library->VersionValue(QStringLiteral("FileVersion")), QStringLiteral("1.2.0.0"));
    EXPECT_EQ(library->VersionValue(QStringLiteral("ProductVersion")), QStringLiteral("1.2.0.0"));
    EXPECT_FALSE(library->VersionValue(QStringLiteral("LegalCopyright")).isEmpty());
}

} // namespace

// ---------------------------------------------------------------- the artwork generator

#ifdef ZELTA_ARTWORK_TOOL
TEST(ArtworkGenerator, RedrawsEveryCommittedPictureAtItsSize) {
    const QString out = QString::fromStdString(MakeTempDir("artwork"));
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(ZELTA_ARTWORK_TOOL), {out});
    ASSERT_TRUE(tool.waitForFinished(120000));
    ASSERT_EQ(tool.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    const QDir committed(QStringLiteral(ZELTA_SOURCE_DIR "/resources"));
    int pictures = 0;
    for (const char* folder : {"bitmaps", "icons", "cursors"}) {
        const QDir mine(committed.filePath(QString::fromLatin1(folder)));
        const QDir drawn(QDir(out).filePath(QString::fromLatin1(folder)));
        const QStringList committedFiles = mine.entryList({QStringLiteral("*.png")}, QDir::Files);
        EXPECT_EQ(drawn.entryList({QStringLiteral("*.png")}, QDir::Files), committedFiles)
            << folder;
        for (const QString& name : committedFiles) {
            SCOPED_TRACE(name.toStdString());
            const QImage a(mine.filePath(name));
            const QImage b(drawn.filePath(name));
            EXPECT_EQ(b.size(), a.size());
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 32 + 9 + 1);
    QFile committedHot(committed.filePath(QStringLiteral("cursors/cursors.json")));
    QFile drawnHot(QDir(out).filePath(QStringLiteral("cursors/cursors.json")));
    ASSERT_TRUE(committedHot.open(QIODevice::ReadOnly));
    ASSERT_TRUE(drawnHot.open(QIODevice::ReadOnly));
    EXPECT_EQ(drawnHot.readAll(), committedHot.readAll());
}
#endif
