#include "CaseSizesDlg.h"

#include "CapacitorRecord.h"
#include "DialogResources.h"
#include "DialogTemplate.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

int CaseSizesScroll(int position, int last, CaseScroll action, int thumb) {
    if (last < 2) {
        return position;
    }
    switch (action) {
    case CaseScroll::LineUp:
        return std::max(0, position - kCaseScrollLine);
    case CaseScroll::LineDown:
        return std::min(last, position + kCaseScrollLine);
    case CaseScroll::PageUp:
        return std::max(0, position - kCaseScrollPage);
    case CaseScroll::PageDown:
        return std::min(last, position + kCaseScrollPage);
    case CaseScroll::Top:
        return 0;
    case CaseScroll::Bottom:
        return last;
    case CaseScroll::Thumb:
        return std::clamp(thumb, 0, last);
    case CaseScroll::Other:
        break;
    }
    return position;
}

QRect CaseSizesPlacement(const QRect& work, int windowWidth, int bitmapHeight, int frame,
                         int scrollBar) {
    int width = windowWidth;
    int height = work.height();
    int top = work.top();
    if (bitmapHeight + frame <= work.height()) {
        height = bitmapHeight + frame;
        top = work.top() + (work.height() - height) / 2;
        width -= scrollBar;
    }
    const int left = work.left() + (work.width() - width) / 2;
    return QRect(left, top, width, height);
}

namespace {

constexpr int kChartBitmap = 175;
constexpr int kQcnTemplate = 189;
constexpr int kQcnBitmap = 188;

CaseScroll FromSliderAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return CaseScroll::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return CaseScroll::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return CaseScroll::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return CaseScroll::PageDown;
    case QAbstractSlider::SliderToMinimum:
        return CaseScroll::Top;
    case QAbstractSlider::SliderToMaximum:
        return CaseScroll::Bottom;
    case QAbstractSlider::SliderMove:
        return CaseScroll::Thumb;
    default:
        return CaseScroll::Other;
    }
}

} // namespace

CCaseSizesDlg::CCaseSizesDlg(QWidget* parent) : QDialog(parent) {}

bool CCaseSizesDlg::Create() {
    if (DialogResources() == nullptr || !AdoptTemplate(this, 176)) {
        return false;
    }
    m_view = Control<QLabel>(this, 1049);
    m_bar = Control<QScrollBar>(this, 1058);
    m_chart = DialogResources()->LoadBitmap(kChartBitmap);
    if (m_view == nullptr || m_bar == nullptr || m_chart.isNull()) {
        return false;
    }
    // The chart is painted here from the memory copy, not by the label itself.
    m_view->clear();
    m_view->installEventFilter(this);
    m_bar->installEventFilter(this);
    m_bar->setSingleStep(kCaseScrollLine);
    m_bar->setPageStep(kCaseScrollPage);
    // The bar reports each request; the position it then takes is worked out here.
    connect(m_bar, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (m_applying) {
            return;
        }
        Scroll(FromSliderAction(action), m_bar->sliderPosition());
        m_applying = true;
        m_bar->setSliderPosition(m_position);
        m_applying = false;
    });
    connect(m_bar, &QAbstractSlider::valueChanged, this, [this](int value) {
        if (!m_applying && value != m_position) {
            Scroll(CaseScroll::Thumb, value);
        }
    });
    if (QScreen* screen = this->screen()) {
        FitTo(screen->availableGeometry());
    } else {
        LayOut();
    }
    return true;
}

int CCaseSizesDlg::LastPosition() const {
    if (m_view == nullptr) {
        return 0;
    }
    return std::max(0, m_chart.height() - m_view->height());
}

void CCaseSizesDlg::Scroll(CaseScroll action, int thumb) {
    const int position = CaseSizesScroll(m_position, LastPosition(), action, thumb);
    if (position == m_position) {
        return;
    }
    m_position = position;
    if (m_bar != nullptr && m_bar->value() != m_position) {
        m_applying = true;
        m_bar->setValue(m_position);
        m_applying = false;
    }
    if (m_view != nullptr) {
        m_view->update();
    }
}

void CCaseSizesDlg::FitTo(const QRect& work) {
    if (m_bar == nullptr) {
        return;
    }
    // The frame and caption are the window manager's; until the window is shown they are not
    // known, and a fair guess keeps the frame on the work area from the first show.
    const QMargins frame = WindowFrameMargins(this);
    m_frameUsed = frame;
    const int sides = frame.left() + frame.right();
    const int outerWidth = std::min(width() + sides, work.width());
    const QRect place = CaseSizesPlacement(work, outerWidth, m_chart.height(),
                                           frame.top() + frame.bottom(), m_bar->width());
    setFixedSize(place.width() - sides, place.height() - frame.top() - frame.bottom());
    move(place.topLeft());
    LayOut(); // a hidden window hears of its new size only when it is shown
}

bool CCaseSizesDlg::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // Once shown, the real frame is known: fit again if it differs from the guess.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Expose) && isVisible() &&
        m_bar != nullptr) {
        const QMargins frame = WindowFrameMargins(this);
        if (frame != m_frameUsed) {
            if (QScreen* screen = this->screen()) {
                FitTo(screen->availableGeometry());
            }
        }
    }
    return handled;
}

void CCaseSizesDlg::LayOut() {
    if (m_view == nullptr || m_bar == nullptr) {
        return;
    }
    const int barWidth = m_bar->width() > 0 ? m_bar->width() : 15;
    const bool scrolls = m_chart.height() > height();
    const int viewWidth = scrolls ? width() - barWidth : width();
    m_view->setGeometry(0, 0, viewWidth, height());
    m_bar->setGeometry(viewWidth, 0, barWidth, height());
    m_bar->setVisible(scrolls);
    const int last = LastPosition();
    m_bar->setRange(0, last);
    m_position = std::min(m_position, last);
    m_applying = true;
    m_bar->setValue(m_position);
    m_applying = false;
    m_view->update();
}

void CCaseSizesDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void CCaseSizesDlg::Wheel(QWheelEvent* event) {
    Scroll(event->angleDelta().y() > 0 ? CaseScroll::LineUp : CaseScroll::LineDown);
    event->accept();
}

void CCaseSizesDlg::wheelEvent(QWheelEvent* event) {
    Wheel(event);
}

bool CCaseSizesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && (watched == m_view || watched == m_bar)) {
        Wheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (watched == m_view && event->type() == QEvent::Paint) {
        PaintView();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CCaseSizesDlg::PaintView() {
    QPainter painter(m_view);
    const int x = std::max(0, (m_view->width() - m_chart.width()) / 2);
    const int y = m_chart.height() < m_view->height() ? (m_view->height() - m_chart.height()) / 2
                                                      : -m_position;
    painter.drawPixmap(x, y, m_chart);
}

bool ShowCaseSizes(QWidget* parent, const CapacitorRecord* record) {
    if (record == nullptr) {
        return true;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (std::strncmp(record->series, "QCN", 4) == 0) {
        QDialog chart(parent);
        const bool built = DialogResources() != nullptr && AdoptTemplate(&chart, kQcnTemplate);
        QLabel* picture = built ? Control<QLabel>(&chart, 1049) : nullptr;
        if (picture != nullptr && (picture->pixmap().isNull())) {
            picture->setPixmap(DialogResources()->LoadBitmap(kQcnBitmap));
        }
        QApplication::restoreOverrideCursor();
        if (picture == nullptr) {
            return false;
        }
        chart.exec();
        return true;
    }
    CCaseSizesDlg chart(parent);
    const bool built = chart.Create();
    QApplication::restoreOverrideCursor();
    if (!built) {
        return false;
    }
    chart.exec();
    return true;
}
