#pragma once

#include "Axis.h"
#include "HintBox.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRect>

#include <string>
#include <vector>

class QPainter;

// Pens and fonts of the graph drawing, by the names the view and its callers use.
struct GraphDrawingIds {
    enum PenId {
        PenBlue,
        PenRed,
        PenViolet,
        PenPink,
        PenBlack,
        PenGrid,
        PenShadow,
        PenDotted,
        PenThick,
        PenCount
    };
    enum FontId {
        FontCaptionVertical,
        FontCaptionVerticalSub,
        FontCaption,
        FontCaptionSub,
        FontReference,
        FontTitle,
        FontLabels,
        FontCount
    };
};

// What one drawing found out about its area: the rows of text under the plot, whether the
// area was too small to draw in, the plot rectangle, and where the measurement readout box
// went. Fields are written only by the steps of the drawing that reach them.
struct GraphLayout {
    int textLines = 0;
    bool tooSmall = false;
    BoxRect plotRect;
    bool readoutDrawn = false;
    int readoutLeft = 0;
    int readoutTop = 0;
};

// The drawing of one graph, on any surface (a window's picture, an export bitmap, a cell of the
// printed page, an SVG or PDF file): up to four curves over one x array on linear or
// logarithmic axes, with ticks, labels, captions, title, legend, a reference point, the
// measurement readout and a note under the plot. Qt Gui only: no widget is involved, so a
// headless program draws the same picture as the window.
class CGraphPainter : public GraphDrawingIds {
public:
    CGraphPainter();

    // Frees the arrays; the painter draws nothing until new data come.
    void FreeData();
    // Copies `count` points of x and up to four curves and finds their ranges (off-scale values
    // of magnitude 1e50 and more never widen the y range). 0 when taken or when fewer than two
    // points were given, -1 when x or curve 1 is missing; both of the latter leave it empty.
    int SetData(int count, const double* x, const double* y1, const double* y2, const double* y3,
                const double* y4);
    void SetXCaption(const char* text);
    void SetYCaption(const char* text);
    void SetRightYCaption(const char* text);
    void SetLogAxes(int xLogarithmic, int yLogarithmic);
    void ShowMarkers(int flag);
    void SetTitle(const char* text);
    void SetLegend(int position, const char* name1, const char* name2, const char* name3,
                   const char* name4);
    void SetUnits(const char* xUnit, const char* yUnit);
    void SetNote(const char* text);
    void SetReferencePoint(const char* text, double x, double y);
    void SetCurveDotted(int index, bool flag);
    // The measurement readout at (x, y) in data units, or none.
    void SetReadout(bool shown, double x, double y);

    void DrawCross(int x, int y, QPainter& surface) const;
    void DrawRotatedCaption(QPainter& surface, const std::string& text, const QRect& rect,
                            int flags) const;
    void DrawLegendText(QPainter& surface, const std::string& text, const QRect& rect,
                        int flags) const;
    // Point mapping of the current ranges. A logarithmic x range with an end at exactly 0 takes
    // 1.0 there, and keeps it.
    int XToPixel(double x, int width);
    int YToPixel(double y, int plotHeight) const;

    // The crosshair's two strips of 14 pixels through (x, y), inverted where the surface can
    // invert (drawing them twice restores every pixel), else black.
    static void InvertStrips(QPainter& p, int x, int y);

    // Draws the graph into `area` of `surface` (the area's size is the W x H of the layout),
    // and tells `layout` what it found when one is given.
    void Render(QPainter& surface, const QRect& area, GraphLayout* layout = nullptr);
    // The graph drawn on white into a new image, as the export bitmaps take it.
    QImage RenderImage(const QSize& size);

    int PointCount() const { return m_count; }
    const double* XValues() const { return m_x.empty() ? nullptr : m_x.data(); }
    // Curve `index` (0..3), null when it was not given.
    const double* Curve(int index) const;
    AxisRange XRange() const { return {m_xMin, m_xMax, m_xLog != 0}; }
    AxisRange YRange() const { return {m_yMin, m_yMax, m_yLog != 0}; }
    // The ranges as drawn: a range that no in-scale value set (minimum above maximum) is drawn
    // as 0..1, or 1..10 on a logarithmic axis.
    AxisRange DrawnXRange() const;
    AxisRange DrawnYRange() const;
    const std::string& XUnit() const { return m_xUnit; }
    const std::string& XCaption() const { return m_xCaption; }
    // Legend name `index` (0..3); empty when none.
    const std::string& LegendName(int index) const { return m_legendNames[index & 3]; }
    const std::string& YUnit() const { return m_yUnit; }
    bool ReadoutShown() const { return m_readoutShown != 0; }
    // The readout box of the last drawing that showed it.
    const CHintBox& ReadoutBox() const { return m_readoutBox; }
    const QPen& Pen(PenId id) const { return m_pens[id]; }
    const QFont& Font(FontId id) const { return m_fonts[id]; }

private:
    void DrawAxesAndLabels(QPainter& p, int width, int plotHeight);
    void DrawCurves(QPainter& p, int width, int plotHeight);
    void DrawLegend(QPainter& p, int width, int plotHeight) const;
    void DrawReadout(QPainter& p, int width, int plotHeight, GraphLayout& layout);
    void DrawTextsUnderPlot(QPainter& p, int width, int plotHeight, int noteLines,
                            int referenceLines) const;
    void DrawSubscripted(QPainter& p, const std::string& text, QRect rect, int flags,
                         const QFont& normal, const QFont& subscript, int subscriptShift) const;
    bool CurveDotted(int index) const { return m_dotted[index] != 0; }

    std::vector<double> m_x;
    std::vector<double> m_curves[4];
    bool m_hasCurve[4] = {false, false, false, false};
    int m_count = 0;
    double m_xMin = 0.0;
    double m_xMax = 0.0;
    double m_yMin = 0.0;
    double m_yMax = 0.0;
    int m_xLog = 0;
    int m_yLog = 0;
    int m_markers = 1;
    std::string m_xCaption;
    std::string m_yCaption;
    std::string m_rightYCaption;
    std::string m_title;
    std::string m_legendNames[4];
    int m_legendPosition = LegendTopLeft;
    char m_dotted[4] = {0, 0, 0, 0};
    std::string m_xUnit;
    std::string m_yUnit;
    std::string m_note;
    std::string m_referenceText;
    double m_referenceX = 0.0;
    double m_referenceY = 0.0;
    int m_readoutShown = 0;
    double m_readoutX = 0.0;
    double m_readoutY = 0.0;
    CHintBox m_readoutBox;

    QPen m_pens[PenCount];
    QFont m_fonts[FontCount];
    QBrush m_brush;
};
