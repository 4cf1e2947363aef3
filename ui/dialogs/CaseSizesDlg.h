#pragma once

#include <QDialog>
#include <QMargins>
#include <QPixmap>
#include <QRect>

class QLabel;
class QScrollBar;
struct CapacitorRecord;

// What the user asked the case-size chart's scroll bar (or the mouse wheel) to do.
enum class CaseScroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb, Other };

// Lines and pages of the case-size chart, in pixels.
constexpr int kCaseScrollLine = 15;
constexpr int kCaseScrollPage = 120;

// The chart's scroll position after `action`, from `position` in the range 0 to `last`
// (the bitmap's height less the view's). Lines move 15 pixels, pages 120, never past either
// end; Top and Bottom go to the ends; Thumb follows `thumb` (kept inside the range); other
// requests keep the position. With a range below 2 nothing scrolls.
int CaseSizesScroll(int position, int last, CaseScroll action, int thumb = 0);

// The window's place on a screen with work area `work`: as tall as the work area, at its
// top; when the whole bitmap (height `bitmapHeight`) fits below the window frame (`frame`
// pixels of frame and caption), as tall as the bitmap plus the frame, centred vertically,
// and `scrollBar` pixels narrower (half on each side). Always centred horizontally.
QRect CaseSizesPlacement(const QRect& work, int windowWidth, int bitmapHeight, int frame,
                         int scrollBar);

// The case-size chart of every series but QCN: bitmap 175 in the picture area 1049 of
// template 176, scrolled with the vertical scroll bar 1058 and the mouse wheel.
class CCaseSizesDlg : public QDialog {
public:
    explicit CCaseSizesDlg(QWidget* parent = nullptr);

    // Builds the window from template 176 with the chart; false when the template, its
    // controls or the bitmap are missing.
    bool Create();

    int ScrollPosition() const { return m_position; }
    int LastPosition() const;
    // Applies a scroll request as the scroll bar or the wheel would.
    void Scroll(CaseScroll action, int thumb = 0);
    // Sizes the window so that its frame lies inside the work area `work` (see
    // CaseSizesPlacement), never wider than the work area.
    void FitTo(const QRect& work);
    QLabel* View() const { return m_view; }
    QScrollBar* ScrollBar() const { return m_bar; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void LayOut();
    void PaintView();
    void Wheel(QWheelEvent* event);

    QLabel* m_view = nullptr;
    QScrollBar* m_bar = nullptr;
    QPixmap m_chart;
    int m_position = 0;
    bool m_applying = false;
    QMargins m_frameUsed; // the frame the last fitting allowed for
};

// Button "Case sizes": the chart of `record`'s series, modal over `parent`, with the wait
// cursor while it opens. QCN parts get template 189 with bitmap 188, all others
// CCaseSizesDlg. Nothing happens without a record; false when the window cannot be built.
bool ShowCaseSizes(QWidget* parent, const CapacitorRecord* record);
