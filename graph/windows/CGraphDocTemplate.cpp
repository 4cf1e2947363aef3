#include "CGraphDocTemplate.h"

#include "CChildFrame.h"
#include "Messages.h"
#include "ResourceLibrary.h"
#include "WindowPlacement.h"

#include <QMdiArea>

namespace {

std::string SecondField(const std::string& text) {
    size_t first = text.find('\n');
    if (first == std::string::npos)
        return std::string();
    size_t second = text.find('\n', first + 1);
    return text.substr(first + 1,
                       second == std::string::npos ? std::string::npos : second - first - 1);
}

} // namespace

CGraphDocTemplate::CGraphDocTemplate(int id, const std::string& documentString)
    : resourceId(id), documentName(SecondField(documentString)) {}

QString CGraphDocTemplate::TitleFor(const QString& partNumberText, const QString& untitled) const {
    if (documentName.empty())
        return untitled;
    return QString::fromStdString(documentName) + QStringLiteral(" - ") + partNumberText;
}

CChildFrame* CGraphDocTemplate::OpenDocumentFile(QMdiArea* area, IGraphFrameHost* host) const {
    if (area == nullptr)
        return nullptr;
    CChildFrame* window = CreateChildFrame(Kind(), this, host);
    if (window == nullptr)
        return nullptr;
    // The windows already there decide the new one's step of the cascade; it comes at the
    // standard size (three quarters of the client area), not the view's own small size.
    const int others = static_cast<int>(area->subWindowList().size());
    area->addSubWindow(window);
    if (!icon.isNull())
        window->setWindowIcon(icon);
    window->setGeometry(CascadeRect(ClientRect(area), others, TitleBarHeight(window)));
    window->ActivateFrame();
    return window;
}

std::vector<std::unique_ptr<CGraphDocTemplate>>
CreateGraphDocTemplates(const IStringTable& strings) {
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
    for (int id : kTemplateCreationOrder)
        templates.push_back(std::make_unique<CGraphDocTemplate>(id, strings.GetString(id)));
    return templates;
}

std::vector<std::unique_ptr<CGraphDocTemplate>>
CreateGraphDocTemplates(const CResourceLibrary& library) {
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates =
        CreateGraphDocTemplates(static_cast<const IStringTable&>(library));
    for (const auto& t : templates)
        t->SetIcon(library.Icon(t->ResourceId()));
    return templates;
}
