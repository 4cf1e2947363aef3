#include "PainterFill.h"

#include "GraphFill.h"
#include "GraphPainter.h"

namespace {

const char* NameOrNull(const std::string& name) {
    return name.empty() ? nullptr : name.c_str();
}

} // namespace

void ApplyGraphFill(CGraphPainter& painter, const GraphFill& fill) {
    painter.SetXCaption(fill.xCaption.c_str());
    painter.SetYCaption(fill.yCaption.c_str());
    painter.SetLogAxes(fill.logX ? 1 : 0, fill.logY ? 1 : 0);
    painter.SetUnits(fill.xUnit.c_str(), fill.yUnit.c_str());
    painter.ShowMarkers(0);
    painter.SetTitle(fill.title.c_str());
    painter.SetNote(fill.note.c_str());
    painter.SetReferencePoint("", 0.0, 0.0);
    for (int i = 0; i < 4; ++i)
        painter.SetCurveDotted(i, fill.dotted[i]);
    if (!fill.referenceText.empty())
        painter.SetReferencePoint(fill.referenceText.c_str(), fill.referenceX, fill.referenceY);
    painter.SetLegend(fill.legendPosition, NameOrNull(fill.legendNames[0]),
                      NameOrNull(fill.legendNames[1]), NameOrNull(fill.legendNames[2]),
                      NameOrNull(fill.legendNames[3]));
    painter.SetData(fill.count, fill.x, fill.curves[0], fill.curves[1], fill.curves[2],
                    fill.curves[3]);
    painter.SetReadout(false, 0.0, 0.0);
}
