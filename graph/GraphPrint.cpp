// Printing entry points of the graph view. A print job always has one page: the page of all
// open graphs, which the host composes.

#include "Graph.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace {

QPrinter* g_applicationPrinter = nullptr;
QString g_previewTitle;
QString g_setupTitle;

void DeleteApplicationPrinter() {
    delete g_applicationPrinter;
    g_applicationPrinter = nullptr;
}

} // namespace

QPrinter& CGraph::ApplicationPrinter() {
    if (g_applicationPrinter == nullptr) {
        g_applicationPrinter = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(DeleteApplicationPrinter);
    }
    return *g_applicationPrinter;
}

void CGraph::SetPrintDialogTitles(const QString& preview, const QString& setup) {
    g_previewTitle = preview;
    g_setupTitle = setup;
}

bool CGraph::PreparePrinting(QPrinter& printer) {
    printer.setFromTo(1, 1);
    // The first print of a run defaults to landscape unless the user chose settings first.
    if (forceLandscape && printer.isValid()) {
        forceLandscape = false;
        printer.setPageOrientation(QPageLayout::Landscape);
    }
    return true;
}

void CGraph::PrintOnSurface(QPainter* surface) {
    if (surface == nullptr)
        return;
    if (composingPage) {
        // Inside the page composition the view draws itself on the surface it is given.
        const QRect area = surface->window();
        Render(*surface, QRect(0, 0, area.width(), area.height()));
        return;
    }
    composingPage = true;
    if (m_host != nullptr)
        m_host->GraphPrintPage(surface);
    composingPage = false;
}

int CGraph::PrintJob(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return -1;
    PrintOnSurface(&painter);
    painter.end();
    return 0;
}

int CGraph::PrintToPdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(ApplicationPrinter().pageLayout());
    PreparePrinting(printer);
    return PrintJob(printer);
}

void CGraph::OnFilePrint(const DialogRunner& run) {
    QPrinter& printer = ApplicationPrinter();
    PreparePrinting(printer);
    bool accepted = false;
    if (run) {
        accepted = run(printer);
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, 1);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted)
        PrintJob(printer);
}

void CGraph::OnFilePrintPreview() {
    QPrinter& printer = ApplicationPrinter();
    PreparePrinting(printer);
    QPrintPreviewDialog dialog(&printer, this);
    if (!g_previewTitle.isEmpty())
        dialog.setWindowTitle(g_previewTitle);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                     [this](QPrinter* target) { PrintJob(*target); });
    // A page is read at most of the screen's size, not at the preview's own small default.
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        const QSize size(work.width() * 9 / 10, work.height() * 9 / 10);
        dialog.resize(size);
        dialog.move(work.left() + (work.width() - size.width()) / 2,
                    work.top() + (work.height() - size.height()) / 2);
    }
    dialog.exec();
}

void CGraph::OnFilePrintSetup(const DialogRunner& run) {
    forceLandscape = false;
    QPrinter& printer = ApplicationPrinter();
    if (run) {
        run(printer);
        return;
    }
    // Setup only: paper, orientation and margins of the next print, nothing printed now.
    QPageSetupDialog dialog(&printer, this);
    if (!g_setupTitle.isEmpty())
        dialog.setWindowTitle(g_setupTitle);
    dialog.exec();
}
