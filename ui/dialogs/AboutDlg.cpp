#include "AboutDlg.h"

#include "DialogTemplate.h"
#include "MailLink.h"
#include "VersionPicture.h"

#include <QLabel>
#include <QPainter>

namespace {

bool g_aboutOpen = false;

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {}

bool CAboutDlg::Initialise() {
    if (!AdoptTemplate(this, 100)) {
        return false;
    }
    m_mailLink = CMailLink::TakeOver(Control<QLabel>(this, 1019));

    m_titleFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    m_titleFont.setPixelSize(20);
    m_titleFont.setWeight(QFont::Bold);
    if (auto* title = Control<QLabel>(this, 1021)) {
        title->setFont(m_titleFont);
        title->update();
    }
    if (auto* version = Control<QLabel>(this, 1020)) {
        version->setText(QString::number(kProgramVersion, 'f', 1));
    }
    return true;
}

void CAboutDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // An etched separator: a dark line over a light one.
    QPainter painter(this);
    // 36 to 207 dialog units across, 92 down.
    const int left = DialogUnitsX(this, 36);
    const int right = DialogUnitsX(this, 207);
    const int y = DialogUnitsY(this, 92);
    painter.setPen(QColor(119, 119, 119));
    painter.drawLine(left, y, right, y);
    painter.setPen(QColor(238, 238, 238));
    painter.drawLine(left, y + 1, right, y + 1);
}

bool IsAboutBoxOpen() {
    return g_aboutOpen;
}

bool RunAboutBox(QWidget* parent, bool refuseDuringSplash, bool splashUp) {
    if (g_aboutOpen || (refuseDuringSplash && splashUp)) {
        return false;
    }
    g_aboutOpen = true;
    CAboutDlg dialog(parent);
    if (dialog.Initialise()) {
        dialog.exec();
    }
    g_aboutOpen = false;
    return true;
}
