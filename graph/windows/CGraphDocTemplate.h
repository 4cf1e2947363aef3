#pragma once

#include "GraphKindTable.h"

#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CChildFrame;
class CResourceLibrary;
class IGraphFrameHost;
class IStringTable;
class QMdiArea;

// The template of one graph kind: its resource id (also that of its menu, icon and document
// string), the document name taken from the document string, the title rule of a new graph
// window and the factory of its window class. The document itself holds no data, so the
// template opens a window and its view directly.
class CGraphDocTemplate {
public:
    // `documentString` is the template's string: newline-separated fields whose second is
    // the document name ("\nThe graph of ESR\nThe graph of ESR\n\n\Document\nDocument").
    CGraphDocTemplate(int resourceId, const std::string& documentString);

    int ResourceId() const { return resourceId; }
    // The kind of the template, or -1 for an id that is none of the seven.
    int Kind() const { return KindForTemplate(resourceId); }
    const std::string& DocumentName() const { return documentName; }

    // The title of a new document: the document name, " - " and `partNumberText`; without a
    // document name the framework's `untitled` text.
    QString TitleFor(const QString& partNumberText, const QString& untitled) const;

    // Opens a new graph window of this template's class with a new view in `area`, shows and
    // activates it. Null when the template has no window class.
    CChildFrame* OpenDocumentFile(QMdiArea* area, IGraphFrameHost* host) const;

    // The icon of the kind's windows (icon group `ResourceId`); a null icon leaves a new
    // window with the application's.
    void SetIcon(const QIcon& kindIcon) { icon = kindIcon; }
    const QIcon& Icon() const { return icon; }

private:
    int resourceId;
    QIcon icon;
    std::string documentName;
};

// The templates of the seven kinds, each with its document string from `strings`, in the
// creation order of start-up (130, 129, 132, 131, 153, 133, 184).
std::vector<std::unique_ptr<CGraphDocTemplate>>
CreateGraphDocTemplates(const IStringTable& strings);
// The same from the resource library, each template with its kind's icon as well.
std::vector<std::unique_ptr<CGraphDocTemplate>>
CreateGraphDocTemplates(const CResourceLibrary& library);
