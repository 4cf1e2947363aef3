// Every dialog template of the resource library, in English and Japanese, built the way the
// program builds its dialogs: fixed in size, wide enough for its title, every control inside
// the dialog and inside the group frame it sits in, and every text whole.
#include "AboutDlg.h"
#include "CapacitorRecord.h"
#include "DialogResources.h"
#include "DialogTemplate.h"
#include "FilterCatalogue.h"
#include "ModelDlg.h"
#include "ResourceLibrary.h"
#include "SelectDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

class LibraryResources : public IDialogResources {
public:
    explicit LibraryResources(const CResourceLibrary& library) : m_library(library) {}
    QWidget* LoadDialog(int id, QWidget* parent) override {
        return m_library.LoadDialog(id, parent).release();
    }
    QString LoadString(int id) override { return m_library.String(id); }
    QPixmap LoadBitmap(int id) override { return m_library.Bitmap(id); }
    QCursor LoadCursor(int id) override { return m_library.Cursor(id); }

private:
    const CResourceLibrary& m_library;
};

struct Language {
    CResourceLibrary::Language language;
    const char* name;
};

class DialogTemplatesTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        library.SetLanguage(GetParam().language);
        ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
        SetDialogResources(&resources);
    }
    void TearDown() override { SetDialogResources(nullptr); }

    CResourceLibrary library;
    LibraryResources resources{library};
};

constexpr int kTemplates[] = {100, 130, 131, 149, 150, 154, 158, 159,
                              160, 176, 181, 182, 183, 189, 191};

std::string Name(const QWidget* w) {
    return w->objectName().toStdString() + " (" + w->metaObject()->className() + ")";
}

// Where a group frame's contents may go: between the frame's lines as the style paints them
// (found in a picture of the group alone, away from its title), in the group's parent's
// coordinates.
QRect GroupInside(const QGroupBox* group) {
    const QImage picture = const_cast<QGroupBox*>(group)->grab().toImage();
    const int w = picture.width();
    const int h = picture.height();
    const QRgb inside = picture.pixel(w / 2, h / 2);
    const auto line = [&](int x, int y, int dx, int dy) {
        while (x >= 0 && y >= 0 && x < w && y < h && picture.pixel(x, y) == inside) {
            x -= dx;
            y -= dy;
        }
        return dx != 0 ? x : y; // the first painted pixel seen from the middle
    };
    const int top = line(w * 3 / 4, h / 2, 0, 1);
    const int bottom = line(w * 3 / 4, h / 2, 0, -1);
    const int left = line(w / 2, h / 2, 1, 0);
    const int right = line(w / 2, h / 2, -1, 0);
    return QRect(QPoint(left + 1, top + 1), QPoint(right - 1, bottom - 1)).translated(group->pos());
}

// The room the text of `w` needs beside what the control draws around it; null size for a
// control without text.
bool TextFits(const QWidget* w, std::string* why) {
    const QFontMetrics metrics(w->font());
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return true;
        const QString text = label->text();
        if (label->wordWrap()) {
            const int lines = std::max(1, w->height() / metrics.lineSpacing());
            const int needed = label->heightForWidth(w->width());
            *why = "needs " + std::to_string(needed) + " px for its lines, has " +
                   std::to_string(w->height()) + " (" + std::to_string(lines) + " lines)";
            return needed <= w->height();
        }
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
        *why = "needs " + std::to_string(widest) + " x " +
               std::to_string(lines * metrics.height()) + " px, has " + std::to_string(w->width()) +
               " x " + std::to_string(w->height());
        return widest <= w->width() && lines * metrics.height() <= w->height() + 2;
    }
    if (qobject_cast<const QCheckBox*>(w) != nullptr ||
        qobject_cast<const QRadioButton*>(w) != nullptr) {
        const auto* button = static_cast<const QAbstractButton*>(w);
        *why = "needs " + std::to_string(button->sizeHint().width()) + " px, has " +
               std::to_string(w->width());
        return button->text().isEmpty() || button->sizeHint().width() <= w->width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        const int needed = metrics.horizontalAdvance(text) + 8;
        *why = "needs " + std::to_string(needed) + " px, has " + std::to_string(w->width());
        return needed <= w->width() && metrics.height() <= w->height();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
        const int needed = metrics.horizontalAdvance(group->title()) + 16;
        *why = "title needs " + std::to_string(needed) + " px, has " + std::to_string(w->width());
        return needed <= w->width();
    }
    return true;
}

// The dialog cannot be resized or maximised, is as wide as its title needs, and every
// control lies inside it and inside the group frame it sits in, with its text whole.
void ExpectFixedAndWhole(const QDialog& dialog) {
    // Not resizable and not maximisable: one size, no grip, no maximise button.
    EXPECT_EQ(dialog.minimumSize(), dialog.size());
    EXPECT_EQ(dialog.maximumSize(), dialog.size());
    EXPECT_FALSE(dialog.isSizeGripEnabled());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    if (!(dialog.windowFlags() & Qt::FramelessWindowHint)) {
        EXPECT_GE(dialog.width(), TitleBarWidth(dialog.windowTitle()));
    }

    const QList<QWidget*> controls =
        dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QList<const QGroupBox*> groups;
    for (const QWidget* w : controls) {
        if (const auto* group = qobject_cast<const QGroupBox*>(w))
            groups << group;
    }
    for (const QWidget* w : controls) {
        if (w->isHidden() && !w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            continue;
        EXPECT_TRUE(dialog.rect().contains(w->geometry())) << Name(w) << " lies outside the dialog";
        for (const QGroupBox* group : groups) {
            if (group == w || !group->geometry().intersects(w->geometry()))
                continue;
            EXPECT_TRUE(GroupInside(group).contains(w->geometry()))
                << Name(w) << " sits on the frame of group " << Name(group);
        }
        std::string why;
        EXPECT_TRUE(TextFits(w, &why)) << Name(w) << " cuts its text: " << why;
        for (const QWidget* other : controls) {
            if (other <= w || other->isWindow() || qobject_cast<const QGroupBox*>(w) ||
                qobject_cast<const QGroupBox*>(other) || other->isHidden())
                continue;
            EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                << Name(w) << " and " << Name(other) << " overlap";
        }
    }
}

TEST_P(DialogTemplatesTest, FixedInSizeWithEveryControlAndTextWhole) {
    int built = 0;
    for (int id : kTemplates) {
        if (!library.HasDialog(id))
            continue; // no variant of this language: the English one is used
        SCOPED_TRACE(std::string(GetParam().name) + " template " + std::to_string(id));
        QDialog dialog;
        ASSERT_TRUE(AdoptTemplate(&dialog, id));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialog.show();
        ++built;

        ExpectFixedAndWhole(dialog);
    }
    EXPECT_EQ(built, 15);
}

// The dialogs that change their templates' controls, as they are shown: the selection
// dialog's picture box holds a whole photograph beside the longest details, the About box
// its title font.
TEST_P(DialogTemplatesTest, SelectionAndAboutDialogsAsShown) {
    std::vector<CapacitorRecord> records(1);
    CapacitorRecord& part = records[0];
    std::snprintf(part.partNumber, sizeof part.partNumber, "%s", "QAKD108M006R1500");
    std::memcpy(part.series, "QAK", 4);
    part.family = 'T';
    part.caseCode = 'D';
    part.capacitance = 1000;
    part.tolerance = 'M';
    part.ratedVoltage = 6.3;
    part.esrMax = 1500;
    part.dfMax = 10;
    part.dclMax = 630;
    part.lesl = 2.4e-9;
    CRecordCatalogue catalogue(records);
    for (int id : {131, 150}) {
        SCOPED_TRACE(std::string(GetParam().name) + " template " + std::to_string(id));
        CSelectDlg dialog(&catalogue, &library);
        ASSERT_TRUE(dialog.Create(id));
        ASSERT_EQ(dialog.LoadPictures(), 0);
        dialog.FillLists(1);
        ASSERT_NE(dialog.GetSelected(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialog.show();
        const QWidget* picture = Control<QWidget>(&dialog, 1009);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->size(), QSize(kSeriesPictureWidth, kSeriesPictureHeight));
        ExpectFixedAndWhole(dialog);
    }
    CAboutDlg about;
    ASSERT_TRUE(about.Initialise());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    about.show();
    ExpectFixedAndWhole(about);
    // The issuer's line is one line, not wrapped.
    const auto* issuer = about.findChild<QLabel*>(QStringLiteral("control_2"));
    ASSERT_NE(issuer, nullptr);
    EXPECT_LE(issuer->heightForWidth(issuer->width()), QFontMetrics(issuer->font()).height() + 2)
        << issuer->text().toStdString();
}

// The six-stage ladder's sixteen lines, in the list of template 181, none scrolled away.
TEST_P(DialogTemplatesTest, CircuitListShowsEveryLineOfASixStagePart) {
    CapacitorRecord record{};
    std::snprintf(record.partNumber, sizeof record.partNumber, "%s", "QAKD107K016RNJ");
    std::memcpy(record.series, "QAK", 4);
    record.rels = 0.0123;
    record.lesl = 1.8e-9;
    record.rp = 1.23e8;
    for (int i = 0; i < 6; ++i) {
        record.ladderR[i] = 0.0123 * (i + 1);
        record.ladderC[i] = 8.64e-6 / (i + 1);
    }
    ASSERT_EQ(ModelTemplateFor(record), 181);
    CModelDlg dialog(181);
    dialog.SetCapacitor(&record);
    ASSERT_TRUE(dialog.Initialise());
    dialog.show();
    auto* list = Control<QPlainTextEdit>(&dialog, 1050);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(dialog.ElementText().count(QLatin1Char('\n')), 16);
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0)
        << "lines are scrolled out of view: " << list->height() << " px, viewport "
        << list->viewport()->height() << ", line " << QFontMetrics(list->font()).lineSpacing();
    EXPECT_TRUE(dialog.rect().contains(list->geometry()));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogTemplatesTest,
                         ::testing::Values(Language{CResourceLibrary::Language::English, "en"},
                                           Language{CResourceLibrary::Language::Japanese, "ja"}),
                         [](const ::testing::TestParamInfo<Language>& language) {
                             return std::string(language.param.name);
                         });

} // namespace
