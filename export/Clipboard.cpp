#include "Clipboard.h"

#include "DataText.h"
#include "Graph.h"
#include "Messages.h"
#include "RichText.h"
#include "StringIds.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include <memory>
#include <new>
#include <string>
#include <vector>

const std::array<int, kGraphKindCount> kCopyAllOrder = {
    KindCapacitance, KindESR, KindImpedance, KindDF, KindRippleVoltage, KindRippleCurrent, KindDCL};

namespace {

// The wait cursor for the length of one command.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// "Not enough memory", and the clipboard left empty so that nothing half-made is pasted.
void ReportOutOfMemory(const ClipboardContext& context) {
    QGuiApplication::clipboard()->clear();
    if (context.messages == nullptr || context.strings == nullptr)
        return; // the caller sees the command fail; without a table there is no text to show
    ReportMessage(*context.messages, *context.strings, IDS_NOT_ENOUGH_MEMORY, MessageIcon::Error);
}

QByteArray Encode(const ClipboardContext& context, const QImage& image) {
    return context.encodePng ? context.encodePng(image) : EncodePng(image);
}

} // namespace

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}

QImage RenderToBitmap(CGraph& view) {
    const QSize size = view.size();
    if (size.isEmpty())
        return QImage();
    // A picture that cannot be allocated comes back null.
    return view.RenderImage(size);
}

bool CopyGraph(CGraph* view, const ClipboardContext& context) {
    if (view == nullptr)
        return false;
    WaitCursor wait;
    const QImage image = RenderToBitmap(*view);
    if (image.isNull()) {
        if (view->size().isEmpty())
            QGuiApplication::clipboard()->clear(); // a view without area has no picture
        else
            ReportOutOfMemory(context);
        return false;
    }
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data.release());
    return true;
}

bool CopyDataAsText(const CWorkingState& state, const ClipboardContext& context) {
    WaitCursor wait;
    std::string text;
    try {
        text = BuildDataText(state);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(context);
        return false;
    }
    if (text.empty())
        return false; // no frequency points: the clipboard keeps what it had
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    QGuiApplication::clipboard()->setMimeData(data.release());
    return true;
}

QImage CombinePictures(const std::vector<QImage>& pictures) {
    std::vector<PictureSize> sizes;
    sizes.reserve(pictures.size());
    for (const QImage& picture : pictures)
        sizes.push_back({picture.width(), picture.height()});
    const CombinedLayout layout = LayoutCombinedPicture(sizes);
    if (layout.width <= 0 || layout.height <= 0)
        return QImage();
    QImage combined(layout.width, layout.height, QImage::Format_RGB32);
    if (combined.isNull())
        return combined;
    combined.fill(Qt::white);
    QPainter painter(&combined);
    for (std::size_t i = 0; i < pictures.size(); ++i)
        painter.drawImage(layout.origins[i].x, layout.origins[i].y, pictures[i]);
    painter.end();
    return combined;
}

bool CopyAllGraphs(const GraphViews& views, const ClipboardContext& context) {
    WaitCursor wait;
    std::vector<QImage> images;
    std::vector<RtfPicture> pictures;
    std::string rtf;
    try {
        for (int kind : kCopyAllOrder) {
            CGraph* view = views[std::size_t(kind)];
            // A view without area has no picture to give.
            if (view == nullptr || view->size().isEmpty())
                continue;
            QImage image = RenderToBitmap(*view);
            const QByteArray png = image.isNull() ? QByteArray() : Encode(context, image);
            if (png.isEmpty()) {
                ReportOutOfMemory(context);
                return false;
            }
            RtfPicture picture;
            picture.png.assign(png.begin(), png.end());
            picture.width = image.width();
            picture.height = image.height();
            pictures.push_back(std::move(picture));
            images.push_back(std::move(image));
        }
        rtf = BuildPicturesRtf(pictures);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(context);
        return false;
    }
    pictures.clear();

    const QImage combined = CombinePictures(images);
    if (combined.isNull() && !images.empty()) {
        ReportOutOfMemory(context);
        return false;
    }
    const QByteArray bytes(rtf.data(), qsizetype(rtf.size()));
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("text/rtf"), bytes);
    data->setData(QStringLiteral("Rich Text Format"), bytes);
    data->setImageData(combined); // 0 x 0 when no graph is open
    QGuiApplication::clipboard()->setMimeData(data.release());
    return true;
}
