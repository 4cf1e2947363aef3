#include "GraphFile.h"

#include "GraphPainter.h"
#include "NumberText.h"
#include "OffScale.h"
#include "TableText.h"

#include <QIODevice>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>
#include <vector>

bool GraphPictureForName(const QString& path, GraphPicture* kind) {
    const QString lower = path.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        *kind = GraphPicture::Png;
    else if (lower.endsWith(QLatin1String(".svg")))
        *kind = GraphPicture::Svg;
    else if (lower.endsWith(QLatin1String(".pdf")))
        *kind = GraphPicture::Pdf;
    else
        return false;
    return true;
}

bool WriteGraphPicture(CGraphPainter& graph, GraphPicture kind, QIODevice& device, int width,
                       int height) {
    const QRect area(0, 0, width, height);
    switch (kind) {
    case GraphPicture::Png:
        return graph.RenderImage(area.size()).save(&device, "PNG");
    case GraphPicture::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&device);
        svg.setSize(area.size());
        svg.setViewBox(area);
        svg.setResolution(96);
        svg.setTitle(QStringLiteral("ZeltaIII graph"));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        painter.fillRect(area, Qt::white);
        graph.Render(painter, area);
        return painter.end();
    }
    case GraphPicture::Pdf: {
        // One logical unit of the drawing per 1/96 inch: the page is the drawing's size.
        QPdfWriter pdf(&device);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / 96.0, height * 72.0 / 96.0),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("ZeltaIII"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        graph.Render(painter, area);
        return painter.end();
    }
    }
    return false;
}

std::string GraphCurvesCsv(const CGraphPainter& graph) {
    const double* x = graph.XValues();
    if (x == nullptr || graph.PointCount() < 1)
        return std::string();
    std::vector<const double*> curves;
    std::vector<std::string> heading = {graph.XCaption()};
    const std::string unit = graph.YUnit().empty() ? "-" : graph.YUnit();
    for (int k = 0; k < 4; ++k) {
        if (graph.Curve(k) == nullptr)
            continue;
        curves.push_back(graph.Curve(k));
        const std::string name =
            graph.LegendName(k).empty() ? "curve " + std::to_string(k + 1) : graph.LegendName(k);
        heading.push_back(name + " [" + unit + "]");
    }
    std::string text = CsvRecord(heading);
    for (int i = 0; i < graph.PointCount(); ++i) {
        AppendShortestNumber(text, x[i]);
        for (const double* curve : curves) {
            text += ',';
            if (std::fabs(curve[i]) < kOffScale && std::isfinite(curve[i]))
                AppendShortestNumber(text, curve[i]);
        }
        text += "\r\n";
    }
    return text;
}
