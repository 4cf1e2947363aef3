#include "AboutDlg.h"
#include "DialogTemplate.h"
#include "FakeDialogResources.h"
#include "MailLink.h"
#include "SplashWnd.h"
#include "VersionPicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

QDialog* ActiveDialog() {
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

TEST(AboutBoxTest, ShowsVersionAndRefusesASecondBox) {
    ScopedFakeResources resources;
    bool secondShown = true;
    bool helpShown = true;
    QString version;
    bool linkReplaced = false;
    QTimer::singleShot(0, [&] {
        QDialog* box = ActiveDialog();
        ASSERT_NE(box, nullptr);
        version = Control<QLabel>(box, 1020)->text();
        linkReplaced = dynamic_cast<CMailLink*>(Control<QWidget>(box, 1019)) != nullptr;
        secondShown = RunAboutBox(nullptr);
        helpShown = RunAboutBox(nullptr, true, false);
        box->accept();
    });
    EXPECT_TRUE(RunAboutBox(nullptr));
    EXPECT_FALSE(secondShown);
    EXPECT_FALSE(helpShown);
    EXPECT_EQ(version, "2.0");
    EXPECT_TRUE(linkReplaced);
    EXPECT_FALSE(IsAboutBoxOpen());
    // The Help command does nothing while the splash is up.
    EXPECT_FALSE(RunAboutBox(nullptr, true, true));
}

QImage Render(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    w.render(&image);
    return image;
}

TEST(MailLinkTest, UnderlineOnlyWhileHoveredAndClickOpensMailto) {
    ScopedFakeResources resources;
    QWidget parent;
    auto* label = new QLabel("enquiries@vorn.example", &parent);
    label->setObjectName("1019");
    label->setGeometry(10, 10, 200, 20);
    CMailLink* link = CMailLink::TakeOver(label);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(Control<QWidget>(&parent, 1019), link);
    EXPECT_EQ(link->geometry(), QRect(10, 10, 200, 20));
    QString opened;
    link->SetOpener([&opened](const QString& url) { opened = url; });
    parent.show();

    const QColor blue(0, 0, 255);
    auto underlineIsBlue = [&] { return Render(*link).pixelColor(100, 19) == blue; };
    EXPECT_FALSE(link->IsHover());
    EXPECT_FALSE(underlineIsBlue());

    QMouseEvent move(QEvent::MouseMove, QPointF(50, 5), link->mapToGlobal(QPointF(50, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(link, &move);
    EXPECT_TRUE(link->IsHover());
    EXPECT_TRUE(underlineIsBlue());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->IsHover());
    EXPECT_FALSE(underlineIsBlue());

    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(50, 5),
                        link->mapToGlobal(QPointF(50, 5)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(link, &release);
    EXPECT_EQ(opened, "mailto:enquiries@vorn.example");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(SplashTest, LayoutAndVersionText) {
    ScopedFakeResources resources;
    CSplashWnd splash;
    ASSERT_TRUE(splash.Create());
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.size(), QSize(654, 442));
    EXPECT_EQ(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    ASSERT_NE(splash.Picture(), nullptr);
    EXPECT_EQ(Control<QWidget>(&splash, 1018), splash.Picture());
    EXPECT_EQ(splash.Picture()->geometry(), QRect(2, 2, 644, 432));
    EXPECT_EQ(splash.Picture()->Picture().size(), QSize(640, 428));
    EXPECT_EQ(splash.cursor().shape(), Qt::WaitCursor);
    // The light version text sits in the top right corner over the picture.
    const QImage image = Render(*splash.Picture());
    bool lightText = false;
    for (int y = 2; y < 50 && !lightText; ++y) {
        for (int x = 519; x < 640 && !lightText; ++x) {
            lightText = image.pixelColor(x, y) == QColor(238, 238, 238);
        }
    }
    EXPECT_TRUE(lightText);
}

TEST(SplashTest, WaitEndsWithItsTimerOrAtOnceWithAQueuedClick) {
    ScopedFakeResources resources;
    CSplashWnd splash;
    ASSERT_TRUE(splash.Create());
    QElapsedTimer clock;
    clock.start();
    splash.Wait(30);
    EXPECT_GE(clock.elapsed(), 25);
    EXPECT_FALSE(splash.IsWaiting());

    // A click that arrived while loading is handled as soon as the wait begins. A safety
    // timer ends a wait that ignores the click, so a fault fails instead of hanging.
    QWidget* picture = splash.Picture();
    QApplication::postEvent(picture,
                            new QMouseEvent(QEvent::MouseButtonPress, QPointF(20, 20),
                                            picture->mapToGlobal(QPointF(20, 20)), Qt::LeftButton,
                                            Qt::LeftButton, Qt::NoModifier));
    bool safetyFired = false;
    QTimer::singleShot(3000, &splash, [&] {
        safetyFired = true;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&splash, &press);
    });
    clock.restart();
    splash.Wait(60000);
    EXPECT_FALSE(safetyFired);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(splash.isVisible()) << "the start-up sequence destroys the splash, not the click";
}

} // namespace
