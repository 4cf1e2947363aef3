#include "ModelDlg.h"

#include "CapacitorRecord.h"
#include "DialogResources.h"
#include "DialogTemplate.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

CModelDlg::CModelDlg(int templateId, QWidget* parent) : QDialog(parent), m_templateId(templateId) {}

bool CModelDlg::Initialise() {
    if (!AdoptTemplate(this, m_templateId)) {
        return false;
    }
    m_picture = Control<QWidget>(this, 1051);
    m_edit = Control<QWidget>(this, 1050);
    if (auto* label = qobject_cast<QLabel*>(m_picture)) {
        if (label->pixmap().isNull() && DialogResources() != nullptr) {
            label->setPixmap(
                DialogResources()->LoadBitmap(ModelBitmapFor(ModelTemplate(m_templateId))));
        }
    }
    if (m_picture != nullptr) {
        m_picture->installEventFilter(this);
    }
    if (m_record == nullptr) {
        return true;
    }
    setWindowTitle(QString::fromStdString(CircuitTitle(*m_record)));
    // The edit controls here break lines at "\n" alone.
    QString text = QString::fromStdString(CircuitText(*m_record));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_edit)) {
        plain->setReadOnly(true);
        plain->setPlainText(text);
        ShowEveryLine(plain);
    } else if (auto* rich = qobject_cast<QTextEdit*>(m_edit)) {
        rich->setReadOnly(true);
        rich->setPlainText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(m_edit)) {
        line->setReadOnly(true);
        line->setText(text);
    }
    return true;
}

// The list is as tall as its lines need in the face it is shown in (at least its template's
// height); the dialog grows by as much, so no line of a part is cut.
void CModelDlg::ShowEveryLine(QPlainTextEdit* edit) {
    // Every line as the list lays it out, the empty one after the last line break included
    // (the list scrolls to it).
    QTextDocument* document = edit->document();
    qreal lines = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        lines += document->documentLayout()->blockBoundingRect(block).height();
    }
    const int needed = static_cast<int>(std::ceil(lines + 2 * document->documentMargin())) +
                       2 * edit->frameWidth();
    if (needed <= edit->height()) {
        return;
    }
    edit->resize(edit->width(), needed);
    resize(width(), std::max(height(), edit->geometry().bottom() + 1 + edit->y()));
}

QString CModelDlg::ElementText() const {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_edit)) {
        return plain->toPlainText();
    }
    if (auto* rich = qobject_cast<QTextEdit*>(m_edit)) {
        return rich->toPlainText();
    }
    if (auto* line = qobject_cast<QLineEdit*>(m_edit)) {
        return line->text();
    }
    return QString();
}

bool CModelDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
        done(0);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowEquivalentCircuit(const CapacitorRecord* record, QWidget* parent) {
    if (record == nullptr) {
        return;
    }
    CModelDlg dialog(ModelTemplateFor(*record), parent);
    dialog.SetCapacitor(record);
    if (dialog.Initialise()) {
        dialog.exec();
    }
}
