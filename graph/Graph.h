#pragma once

#include "Axis.h"
#include "CursorInfo.h"
#include "GraphHost.h"
#include "GraphPainter.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class CDclBar;
class CHintWnd;
class QPainter;
class QPrinter;

// The view of every graph window: up to four curves over one x array on linear or
// logarithmic axes, with ticks, labels, captions, title, legend, a reference point, a note
// under the plot, the live cursor and the measurement readout. It knows nothing about
// capacitors; the main frame pushes texts, flags and copies of the curves into it.
//
// The drawing itself is the view's painter (CGraphPainter), which serves the screen, export
// bitmaps and the cells of the printed page alike. The live crosshair and hint box are drawn
// over the kept picture of the last screen drawing only, so they never reach an export.
class CGraph : public QWidget, public GraphDrawingIds {
    Q_OBJECT
public:
    explicit CGraph(QWidget* parent = nullptr);
    ~CGraph() override;

    // The window the view reports to; without one, picks go nowhere and the readout is off.
    void SetHost(IGraphHost* host) { m_host = host; }
    IGraphHost* Host() const { return m_host; }

    // Operations, in the order of the class's own virtual functions.
    virtual void FreeData();
    virtual void DrawCross(int x, int y, QPainter& surface);
    virtual void DrawRotatedCaption(QPainter& surface, const std::string& text, const QRect& rect,
                                    int flags);
    virtual void DrawLegendText(QPainter& surface, const std::string& text, const QRect& rect,
                                int flags);
    virtual void MinorTickOffsets(int decadeLength, int offsets[8]);
    virtual void NiceScale(int& count, double low, double high, double& outLow, double& outHigh,
                           bool keepRange);
    virtual int PickAt(int x, int y, int& curve, double& xValue, bool dragging);
    virtual int XToPixel(double x, int width);
    virtual int YToPixel(double y, int plotHeight);
    virtual void RefreshReadout();
    virtual int SetData(int count, const double* x, const double* y1, const double* y2,
                        const double* y3, const double* y4);
    virtual void SetXCaption(const char* text);
    virtual void SetYCaption(const char* text);
    virtual void SetRightYCaption(const char* text);
    virtual void SetLogAxes(int xLogarithmic, int yLogarithmic);
    virtual void ShowMarkers(int flag);
    virtual void SetTitle(const char* text);
    virtual void SetLegend(int position, const char* name1, const char* name2, const char* name3,
                           const char* name4);
    virtual void SetPickCarriesView(bool flag);
    virtual void SetUnits(const char* xUnit, const char* yUnit);
    virtual void SetNote(const char* text);
    virtual void SetReferencePoint(const char* text, double x, double y);
    virtual void CreateDclBar(int templateId);
    virtual void SetCurveDotted(int index, bool flag);
    virtual CDclBar* GetDclBar();

    // Moves the live crosshair and hint box for a pick; called by the main frame on every view
    // that follows the pick. A record x or y beyond +-1e50 on a linear axis is replaced by the
    // range end and written back.
    virtual void TrackCursor(CursorInfo& cursor);

    // The drawing routine: draws the graph into `area` of `surface` (the area's size is the
    // W x H of the layout). `keepLayout` stores the plot rectangle, text lines and too-small
    // flag as those of the last drawing, which mouse handling reads; only the screen does so.
    void Render(QPainter& surface, const QRect& area, bool keepLayout = false);
    // The graph drawn on white into a new image, as the export bitmaps take it.
    QImage RenderImage(const QSize& size);
    // The drawing of this view, for callers that draw it elsewhere.
    CGraphPainter& Painter() { return m_painter; }
    const CGraphPainter& Painter() const { return m_painter; }

    // Printing. A print job has one page; the first print preparation of the run turns the
    // printer to landscape unless a print setup came first.
    static bool composingPage;
    static bool forceLandscape;
    static QPrinter& ApplicationPrinter();
    // Titles of the print preview and the page set-up in the interface's language (the
    // tooltip texts of commands 57609 and 57606); empty keeps the toolkit's own.
    static void SetPrintDialogTitles(const QString& preview, const QString& setup);
    bool PreparePrinting(QPrinter& printer);
    // Draws on a printer surface: asks the host to compose the page of all graphs. While a page
    // is being composed the call does nothing (the views are drawn by the page itself).
    void PrintOnSurface(QPainter* surface);
    // Prints one page on `printer` (a real printer or a PDF file); 0 or -1.
    int PrintJob(QPrinter& printer);
    int PrintToPdf(const QString& path);
    // Commands: print with the print dialog, print preview, print setup (57606). The dialog
    // runner may be replaced (tests); it returns true when the user accepted.
    using DialogRunner = std::function<bool(QPrinter&)>;
    void OnFilePrint(const DialogRunner& run = {});
    void OnFilePrintPreview();
    void OnFilePrintSetup(const DialogRunner& run = {});

    // Mouse capture lost during a drag (another window took the mouse).
    void OnCaptureCancelled();

    // State of the last drawing and of the cursor, for the host and for tests.
    const CursorInfo& Cursor() const { return m_cursor; }
    BoxRect PlotRect() const { return m_layout.plotRect; }
    bool IsTooSmall() const { return m_layout.tooSmall; }
    int TextLines() const { return m_layout.textLines; }
    bool CrosshairShown() const { return m_crosshairShown; }
    QPoint LastCrosshair() const { return m_lastCrosshair; }
    bool ReadoutShown() const { return m_painter.ReadoutShown(); }
    CHintWnd* LiveHintBox() const { return m_liveHint; }
    CHintWnd* ReadoutHintBox() const { return m_readoutHint; }
    int PointCount() const { return m_painter.PointCount(); }
    AxisRange XRange() const { return m_painter.XRange(); }
    AxisRange YRange() const { return m_painter.YRange(); }
    const QImage& LastPicture() const { return m_picture; }

    // Pens and fonts of the drawing.
    const QPen& Pen(PenId id) const { return m_painter.Pen(id); }
    const QFont& Font(FontId id) const { return m_painter.Font(id); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    // Left and Right move the cursor one point of the x array (Shift: ten) with the picks a
    // drag sends; Escape or leaving the view ends it.
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void RedrawNow();
    // Vertical and horizontal position of a record for the live cursor.
    bool CursorPosition(CursorInfo& cursor, int& px, int& ys);
    void SendPick();

    IGraphHost* m_host = nullptr;
    CDclBar* m_dclBar = nullptr;
    CGraphPainter m_painter;
    bool m_pickCarriesView = false;
    CursorInfo m_cursor;
    QPoint m_lastCrosshair;
    bool m_crosshairShown = false;
    bool m_keyCursor = false; // the keys have begun a pick that has not ended
    void EndKeyCursor();
    GraphLayout m_layout;
    CHintWnd* m_liveHint = nullptr;
    CHintWnd* m_readoutHint = nullptr;

    // The last screen drawing; the live crosshair is inverted over it when painting.
    QImage m_picture;
    bool m_pictureValid = false;
};
