#include "ApplyGraphFill.h"

#include "Graph.h"
#include "GraphFill.h"

static_assert(kFillLegendTopLeft == LegendTopLeft && kFillLegendBottomLeft == LegendBottomLeft &&
                  kFillLegendTopRight == LegendTopRight &&
                  kFillLegendBottomRight == LegendBottomRight,
              "the fill numbers legend positions as the view does");

namespace {

const char* NameOrNull(const std::string& name) {
    return name.empty() ? nullptr : name.c_str();
}

} // namespace

void ApplyGraphFill(CGraph& view, const GraphFill& fill) {
    view.setUpdatesEnabled(false);
    view.SetXCaption(fill.xCaption.c_str());
    view.SetYCaption(fill.yCaption.c_str());
    view.SetLogAxes(fill.logX ? 1 : 0, fill.logY ? 1 : 0);
    view.SetUnits(fill.xUnit.c_str(), fill.yUnit.c_str());
    view.ShowMarkers(0);
    view.SetTitle(fill.title.c_str());
    view.SetNote(fill.note.c_str());
    view.SetReferencePoint("", 0.0, 0.0);
    for (int i = 0; i < 4; ++i)
        view.SetCurveDotted(i, fill.dotted[i]);
    if (!fill.referenceText.empty())
        view.SetReferencePoint(fill.referenceText.c_str(), fill.referenceX, fill.referenceY);
    view.SetLegend(fill.legendPosition, NameOrNull(fill.legendNames[0]),
                   NameOrNull(fill.legendNames[1]), NameOrNull(fill.legendNames[2]),
                   NameOrNull(fill.legendNames[3]));
    view.SetPickCarriesView(fill.pickCarriesView);
    view.SetData(fill.count, fill.x, fill.curves[0], fill.curves[1], fill.curves[2],
                 fill.curves[3]);
    view.RefreshReadout();
    view.setUpdatesEnabled(true);
    view.repaint();
}
