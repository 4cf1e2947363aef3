#include "CompareDlg.h"

#include "CapacitorPicker.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include <cstring>

namespace {

CapacitorPickerFactory& Factory() {
    static CapacitorPickerFactory factory;
    return factory;
}

QString PartNumberText(const CapacitorRecord& record) {
    return QString::fromLatin1(record.partNumber,
                               int(strnlen(record.partNumber, sizeof record.partNumber)));
}

QString LineText(int index, const CapacitorRecord* record) {
    // "Capacitor %i: %s"
    QString format = ResourceString(34055);
    format.replace(QStringLiteral("%i"), QString::number(index));
    return format.replace(QStringLiteral("%s"),
                          record != nullptr ? PartNumberText(*record) : QStringLiteral("None"));
}

} // namespace

void SetCapacitorPickerFactory(CapacitorPickerFactory factory) {
    Factory() = std::move(factory);
}

std::unique_ptr<ICapacitorPicker> CreateCapacitorPicker() {
    return Factory() ? Factory()() : nullptr;
}

CCompareDlg::CCompareDlg(QWidget* parent) : QDialog(parent) {}

void CCompareDlg::SetCapacitors(const CapacitorRecord* first, const CapacitorRecord* second) {
    m_capacitor1 = first;
    m_capacitor2 = second;
}

bool CCompareDlg::Initialise() {
    if (!AdoptTemplate(this, 191)) {
        return false;
    }
    m_line1 = Control<QLabel>(this, 1056);
    m_line2 = Control<QLabel>(this, 1057);
    m_ok = Control<QAbstractButton>(this, 1);
    auto* select1 = Control<QAbstractButton>(this, 1054);
    auto* select2 = Control<QAbstractButton>(this, 1055);
    if (m_line1 == nullptr || m_line2 == nullptr || m_ok == nullptr || select1 == nullptr ||
        select2 == nullptr) {
        return false;
    }
    connect(select1, &QAbstractButton::clicked, this, [this] { SelectCapacitor1(); });
    connect(select2, &QAbstractButton::clicked, this, [this] { SelectCapacitor2(); });
    // The comparison starts from the part on show.
    m_lastChosen = m_current;
    m_capacitor1 = m_current;
    UpdateTexts();
    return true;
}

void CCompareDlg::UpdateTexts() {
    m_line1->setText(LineText(1, m_capacitor1));
    m_line2->setText(LineText(2, m_capacitor2));
    m_ok->setEnabled(m_capacitor1 != nullptr && m_capacitor2 != nullptr);
}

void CCompareDlg::accept() {
    // Enter must not get past a disabled OK either.
    if (m_capacitor1 == nullptr || m_capacitor2 == nullptr) {
        return;
    }
    QDialog::accept();
}

void CCompareDlg::SelectCapacitor1() {
    const CapacitorRecord* chosen = nullptr;
    const CapacitorRecord* start = m_capacitor1 != nullptr ? m_capacitor1 : m_lastChosen;
    if (SelectForCompare(this, start, chosen) == 1) {
        m_lastChosen = chosen;
        m_capacitor1 = chosen;
    }
    UpdateTexts();
}

void CCompareDlg::SelectCapacitor2() {
    const CapacitorRecord* chosen = nullptr;
    const CapacitorRecord* start = m_capacitor2 != nullptr ? m_capacitor2 : m_lastChosen;
    if (SelectForCompare(this, start, chosen) == 1) {
        m_lastChosen = chosen;
        m_capacitor2 = chosen;
    }
    UpdateTexts();
}

int SelectForCompare(QWidget* owner, const CapacitorRecord* start, const CapacitorRecord*& chosen) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    chosen = nullptr;
    int result = 2;
    std::unique_ptr<ICapacitorPicker> dialog = CreateCapacitorPicker();
    if (dialog != nullptr && dialog->Create(150, owner) && dialog->LoadPictures() == 0) {
        dialog->SetTitle(ResourceString(32801));
        dialog->FillLists(1);
        if (start != nullptr) {
            dialog->SelectRecord(start);
        }
        // The picker is interactive: no wait cursor over it.
        QApplication::restoreOverrideCursor();
        if (dialog->RunModal()) {
            chosen = dialog->GetSelected();
            result = 1;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    dialog.reset();
    QApplication::restoreOverrideCursor();
    return result;
}

bool RunCompareDialog(QWidget* parent, const CapacitorRecord* current,
                      const CapacitorRecord*& first, const CapacitorRecord*& second) {
    CCompareDlg dialog(parent);
    dialog.SetCapacitors(first, second);
    dialog.SetCurrentCapacitor(current);
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (dialog.Capacitor1() == nullptr || dialog.Capacitor2() == nullptr) {
        return false;
    }
    first = dialog.Capacitor1();
    second = dialog.Capacitor2();
    return true;
}
