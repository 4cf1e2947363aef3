#include "CMainFrame.h"

#include "ApplyGraphFill.h"
#include "Axis.h"
#include "CChildFrame.h"
#include "CGraphDocTemplate.h"
#include "CapacitorRecord.h"
#include "DclBarLists.h"
#include "FrameDialogs.h"
#include "FramePrintPage.h"
#include "FrequencyResponse.h"
#include "Graph.h"
#include "GraphFile.h"
#include "GraphFill.h"
#include "GraphPainter.h"
#include "MenuBarLayout.h"
#include "Messages.h"
#include "ModelVector.h"
#include "PartNumber.h"
#include "RippleLimits.h"
#include "SParameterWriter.h"
#include "SpiceNetlist.h"
#include "StringIds.h"
#include "WindowPlacement.h"
#include "WorkingState.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QResizeEvent>
#include <QSaveFile>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kStrMainTitle = 128;
constexpr int kStrUntitled = 61443;
constexpr int kStrReady = 57345;
constexpr int kStrPanePart = 34016;
constexpr int kStrPaneCapacitance = 34017;
constexpr int kStrPaneVoltage = 34018;
constexpr int kStrPaneCase = 34019;
constexpr int kStrTemperatureLabel = 34020;
constexpr int kStrSecondCapacitance = 34024;
constexpr int kStrTitleDetails = 34026;
constexpr int kStrSecondVoltage = 34036;
constexpr int kStrSelectCapacitor = 32801;
constexpr int kFirstPaneId = 34000;
constexpr int kDclBarTemplate = 185;
constexpr int kMenuAdditions = 194;
constexpr int kStrExportSpiceTitle = 34154;
constexpr int kStrSpiceFilter = 34155;
constexpr int kStrSpiceAtTemperature = 34156;
constexpr int kStrSParametersAtTitle = 34157;
constexpr int kStrSaveGraphTitle = 34150;
constexpr int kStrPictureFilter = 34151;
constexpr int kStrSaveDataTitle = 34152;
constexpr int kStrCsvFilter = 34153;

struct TemperatureCommand {
    int id;
    double celsius;
};
constexpr TemperatureCommand kTemperatureCommands[] = {
    {CMainFrame::ID_TEMP_M55, -55}, {CMainFrame::ID_TEMP_25, 25},   {CMainFrame::ID_TEMP_85, 85},
    {CMainFrame::ID_TEMP_105, 105}, {CMainFrame::ID_TEMP_125, 125}, {CMainFrame::ID_TEMP_175, 175},
    {CMainFrame::ID_TEMP_200, 200},
};

bool SameTemperature(double a, double b) {
    return std::fabs(a - b) < 1e-8;
}

FrequencyPoint Evaluate(const CapacitorRecord& record, const ModelVector& vector, double f) {
    FrequencyPoint point{};
    point.frequency = f;
    EvaluatePoint(record, point, vector, true);
    return point;
}

// A menu text as a window title: without its "&" mnemonic marks ("&&" stays one "&").
QString StripMnemonic(const QString& text) {
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out.append(text.at(i));
    }
    return out;
}

// The first field of a command prompt ("status-bar text\ntooltip").
QString PromptOf(const QString& text) {
    const int newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? text : text.left(newline);
}

void CollectActions(const QWidget* menu, QList<QAction*>& out, QList<QMenu*>& menus) {
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            menus.append(sub);
            CollectActions(sub, out, menus);
        } else if (CommandIdOf(action) != 0) {
            out.append(action);
        }
    }
}

bool IsTemperatureCommand(int commandId) {
    for (const TemperatureCommand& t : kTemperatureCommands)
        if (t.id == commandId)
            return true;
    return commandId == CMainFrame::ID_TEMP_CUSTOM;
}

bool HasCheckMark(int commandId) {
    for (const TemperatureCommand& t : kTemperatureCommands)
        if (t.id == commandId)
            return true;
    return commandId == CMainFrame::ID_TEMP_CUSTOM || KindForCommand(commandId) >= 0;
}

} // namespace

CMainFrame::CMainFrame(const std::array<const CGraphDocTemplate*, kGraphKindCount>& creationOrder,
                       const MainFrameServices& frameServices, QWidget* parent)
    : QMainWindow(parent), services(frameServices), state(std::make_unique<CWorkingState>()) {
    for (const CGraphDocTemplate* t : creationOrder)
        if (t != nullptr && t->Kind() >= 0)
            templates[t->Kind()] = t;

    mdiArea = new QMdiArea(this);
    mdiArea->setActivationOrder(QMdiArea::CreationOrder);
    mdiArea->installEventFilter(this);
    setCentralWidget(mdiArea);
    connect(mdiArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { OnActiveWindowChanged(window); });

    // The idle text whenever no prompt is showing (a prompt goes when the pointer leaves its
    // menu item or its command has run).
    statusBar()->showMessage(String(kStrReady));
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty() && !destroying)
            statusBar()->showMessage(String(kStrReady));
    });
    for (int i = 0; i < 4; ++i) {
        panes[i] = new QLabel(this);
        panes[i]->setObjectName(QString::number(kFirstPaneId + i));
        // The pane texts of the string table only set the widths.
        const QString sample = String(kFirstPaneId + i);
        if (!sample.isEmpty())
            panes[i]->setMinimumWidth(panes[i]->fontMetrics().horizontalAdvance(sample));
        statusBar()->addPermanentWidget(panes[i]);
    }

    for (const auto& accelerator : services.accelerators) {
        auto* shortcut = new QShortcut(accelerator.first, this);
        const int id = accelerator.second;
        connect(shortcut, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    }

    InstallMenu(kMenuNormalNoWindows);
    setWindowTitle(String(kStrMainTitle));
}

CMainFrame::~CMainFrame() {
    destroying = true;
    // The area outlives this part of the frame while the base class frees its children.
    mdiArea->removeEventFilter(this);
    disconnect(mdiArea, nullptr, this, nullptr);
    for (QMdiSubWindow* window : mdiArea->subWindowList())
        if (auto* child = dynamic_cast<CChildFrame*>(window))
            child->DetachHost();
}

// ---- Operations of the computation ----

void CMainFrame::RippleLimits(double esr, double derating, double power, double impedance,
                              double ratedVoltage, double& current, double& voltage) {
    ::RippleLimits(esr, derating, power, impedance, ratedVoltage, current, voltage);
}

double CMainFrame::EsrReferenceFrequency(const char* series) {
    return ::EsrReferenceFrequency(series);
}

double CMainFrame::ScaleToEsrLimit(double value, double esrAtReference) {
    return state->ScaleToEsrLimit(value, esrAtReference);
}

double CMainFrame::ScaleToDclLimit(double value, double typicalAt300) {
    return state->ScaleToDclLimit(value, typicalAt300);
}

double CMainFrame::RippleDerating(double temperature, const char* series) {
    return ::RippleDerating(temperature, series);
}

int CMainFrame::MaxTemperature(const CapacitorRecord* record) {
    return ::MaxTemperature(record);
}

void CMainFrame::ScaleModelToTemperature(ModelVector& vector, double temperature) {
    state->ScaleModelToTemperature(vector, temperature);
}

double CMainFrame::CasePowerDissipation(char caseCode, char family, const char* series) {
    return ::CasePowerDissipation(caseCode, family, series);
}

void CMainFrame::RecomputeCurves() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    state->RecomputeCurves();
    QApplication::restoreOverrideCursor();
}

// ---- Working state ----

void CMainFrame::SetComparisonMode(bool on) {
    state->comparisonMode = on;
}

bool CMainFrame::IsComparisonMode() const {
    return state->comparisonMode;
}

const CapacitorRecord* CMainFrame::GetComparisonCapacitor(int index) const {
    if (index < 0 || index >= GetComparisonCount())
        return nullptr;
    return state->comparisonCapacitors[index];
}

void CMainFrame::SetCurrentCapacitor(const CapacitorRecord* record) {
    state->currentCapacitor = record;
}

const CapacitorRecord* CMainFrame::GetCurrentCapacitor() const {
    return state->currentCapacitor;
}

bool CMainFrame::IsWetTantalum() const {
    const CapacitorRecord* c = state->currentCapacitor;
    return c != nullptr && std::strcmp(c->series, "QCN") == 0;
}

CChildFrame* CMainFrame::GraphWindow(int kind) const {
    return kind >= 0 && kind < kGraphKindCount ? graphWindows[kind] : nullptr;
}

// ---- Graph windows ----

CChildFrame* CMainFrame::OpenKind(int kind) {
    const CGraphDocTemplate* t = templates[kind];
    return t != nullptr ? t->OpenDocumentFile(mdiArea, this) : nullptr;
}

void CMainFrame::DestroyGraphWindow(int kind) {
    CChildFrame* window = graphWindows[kind];
    graphWindows[kind] = nullptr;
    if (window != nullptr)
        window->DestroyWindow();
}

// Every template present, then DF, ESR, impedance and capacitance opened in this order, each
// filing itself under the running kind index. False at the first failure.
bool CMainFrame::OpenStandardGraphs() {
    for (const CGraphDocTemplate* t : templates) {
        if (t == nullptr)
            return false;
    }
    for (int kind : {KindDF, KindESR, KindImpedance, KindCapacitance}) {
        if (OpenKind(kind) == nullptr)
            return false;
    }
    return true;
}

int CMainFrame::ShowInitialGraphs() {
    nextKindIndex = 0;
    UpdateTitle();
    setUpdatesEnabled(false);
    RecomputeCurves();
    if (!OpenStandardGraphs()) {
        setUpdatesEnabled(true);
        return -1;
    }
    UpdateGraphs();
    showMaximized();
    TileWindows(true);
    setUpdatesEnabled(true);
    UpdateStatusPanes();
    UpdateMenuStates();
    return 0;
}

void CMainFrame::ToggleGraphWindow(int kind) {
    if (kind < 0 || kind >= kGraphKindCount)
        return;
    if (graphWindows[kind] != nullptr) {
        DestroyGraphWindow(kind);
        return;
    }
    nextKindIndex = kind;
    OpenKind(kind);
}

void CMainFrame::CloseAllGraphs() {
    for (int kind = 0; kind < kGraphKindCount; ++kind)
        DestroyGraphWindow(kind);
}

void CMainFrame::ReopenGraphWindows() {
    static constexpr int kWithAllExtras[] = {5, 0, 1, 4, 2, 3, 6};
    static constexpr int kUsual[] = {4, 5, 0, 1, 2, 3, 6};
    const bool allExtras = graphWindows[KindRippleVoltage] != nullptr &&
                           graphWindows[KindRippleCurrent] != nullptr &&
                           graphWindows[KindDCL] != nullptr;
    for (int kind : allExtras ? kWithAllExtras : kUsual) {
        if (graphWindows[kind] == nullptr)
            continue;
        DestroyGraphWindow(kind);
        nextKindIndex = kind;
        OpenKind(kind);
    }
}

void CMainFrame::ArrangeWindows(int commandId) {
    setUpdatesEnabled(false);
    ReopenGraphWindows();
    setUpdatesEnabled(true);
    if (commandId == ID_WINDOW_CASCADE)
        CascadeWindows();
    else
        TileWindows(commandId == ID_WINDOW_TILE_HORZ);
    repaint();
}

// The windows in the order they were created, shown normally (not maximised or minimised),
// so that re-creating them in a fixed order fixes the arrangement.
QList<QMdiSubWindow*> CMainFrame::ArrangedWindows() const {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (w->isHidden())
            continue;
        if (w->isMaximized() || w->isMinimized())
            w->showNormal();
        windows.append(w);
    }
    return windows;
}

// Tiling horizontally stacks wide windows in columns of rows (two columns of two for four
// windows); tiling vertically places tall windows side by side, row by row.
void CMainFrame::TileWindows(bool horizontal) {
    const QList<QMdiSubWindow*> windows = ArrangedWindows();
    const std::vector<QRect> cells =
        TileRects(ClientRect(mdiArea), static_cast<int>(windows.size()), horizontal);
    for (size_t i = 0; i < cells.size(); ++i)
        windows[static_cast<int>(i)]->setGeometry(cells[i]);
}

// Every window at the standard size, each one title bar lower and further right than the
// one before, the last created on top.
void CMainFrame::CascadeWindows() {
    const QList<QMdiSubWindow*> windows = ArrangedWindows();
    const QRect area = ClientRect(mdiArea);
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(CascadeRect(area, i, TitleBarHeight(windows[i])));
        windows[i]->raise();
    }
}

// ---- Titles and status bar ----

QString CMainFrame::String(int id) const {
    return services.strings != nullptr ? QString::fromStdString(services.strings->GetString(id))
                                       : QString();
}

QString CMainFrame::FormatStringId(int id, ...) const {
    if (services.strings == nullptr)
        return QString();
    const std::string format = services.strings->GetString(id);
    char buffer[260];
    va_list args;
    va_start(args, id);
    std::vsnprintf(buffer, sizeof buffer, format.c_str(), args);
    va_end(args);
    return QString::fromUtf8(buffer);
}

QString CMainFrame::GetPartNumberText() const {
    if (IsComparisonMode()) {
        const CapacitorRecord* a = GetComparisonCapacitor(0);
        const CapacitorRecord* b = GetComparisonCapacitor(1);
        return QString::fromLatin1(a != nullptr ? a->partNumber : "") + QLatin1Char('/') +
               QString::fromLatin1(b != nullptr ? b->partNumber : "");
    }
    const CapacitorRecord* c = GetCurrentCapacitor();
    return c != nullptr ? QString::fromLatin1(c->partNumber) : QString();
}

void CMainFrame::UpdateTitle() {
    const QString untitled = String(kStrUntitled);
    const QString partText = GetPartNumberText();
    for (int kind = 0; kind < kGraphKindCount; ++kind)
        if (CChildFrame* window = graphWindows[kind])
            window->setWindowTitle(window->Template()->TitleFor(partText, untitled));

    QString caption = String(kStrMainTitle);
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (IsComparisonMode()) {
        caption += QStringLiteral(" - ") + partText;
    } else if (c != nullptr) {
        caption += QStringLiteral(" - ") + QString::fromLatin1(c->partNumber) +
                   FormatStringId(kStrTitleDetails, c->caseCode, c->capacitance, c->ratedVoltage);
    }
    setWindowTitle(caption);
    UpdateStatusPanes();
}

QString CMainFrame::CaseText(const CapacitorRecord& record) const {
    QString text(QLatin1Char(record.caseCode));
    if (std::toupper(static_cast<unsigned char>(record.family)) == 'F')
        text += QLatin1Char(' ') + QString::fromLatin1(record.series);
    return text;
}

QLabel* CMainFrame::StatusPane(int paneId) const {
    const int index = paneId - kFirstPaneId;
    return index >= 0 && index < 4 ? panes[index] : nullptr;
}

void CMainFrame::UpdateStatusPanes() {
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (c == nullptr)
        return;
    const CapacitorRecord* first = c;
    const CapacitorRecord* second = nullptr;
    if (IsComparisonMode() && GetComparisonCapacitor(0) != nullptr &&
        GetComparisonCapacitor(1) != nullptr) {
        first = GetComparisonCapacitor(0);
        second = GetComparisonCapacitor(1);
    }
    QString capacitance = FormatStringId(kStrPaneCapacitance, first->capacitance);
    QString voltage = FormatStringId(kStrPaneVoltage, first->ratedVoltage);
    QString caseText = String(kStrPaneCase) + CaseText(*first);
    if (second != nullptr) {
        capacitance +=
            QLatin1Char('/') + FormatStringId(kStrSecondCapacitance, second->capacitance);
        voltage += QLatin1Char('/') + FormatStringId(kStrSecondVoltage, second->ratedVoltage);
        caseText += QLatin1Char('/') + CaseText(*second);
    }
    panes[0]->setText(FormatStringId(kStrPanePart, GetPartNumberText().toLatin1().constData()));
    panes[1]->setText(capacitance);
    panes[2]->setText(voltage);
    panes[3]->setText(caseText);
}

// ---- Menus and commands ----

void CMainFrame::InstallMenu(int menuId) {
    QMenuBar* bar = menuBar();
    if (installedMenu != menuId || bar->actions().isEmpty()) {
        QMenu loaded;
        if (services.menus == nullptr || !services.menus->LoadMenu(menuId, &loaded))
            return;
        while (!bar->actions().isEmpty())
            RemoveMenuItem(bar, 0);
        InsertMenuCopies(loaded.actions(), bar, 0);
        installedMenu = menuId;
    }
    if (services.menus != nullptr)
        SwitchMenuBar(bar, !IsComparisonMode(), *services.menus);
    WireMenuBar();
    UpdateMenuStates();
}

// The additions of menu 194 go into the menu holding "Choose Another Capacitor", right after
// it, in whichever layout the bar has; the design's own items keep their places.
void CMainFrame::AddMenuAdditions() {
    if (services.menus == nullptr)
        return;
    QList<QAction*> actions;
    QList<QMenu*> menus;
    CollectActions(menuBar(), actions, menus);
    for (QAction* action : actions)
        if (CommandIdOf(action) == ID_FIND_IMPEDANCE)
            return;
    for (QAction* action : actions) {
        if (CommandIdOf(action) != ID_CHOOSE_CAPACITOR || action->associatedObjects().isEmpty())
            continue;
        auto* menu = qobject_cast<QMenu*>(action->associatedObjects().constFirst());
        QMenu loaded;
        if (menu == nullptr || !services.menus->LoadMenu(kMenuAdditions, &loaded) ||
            loaded.actions().isEmpty() || loaded.actions().constFirst()->menu() == nullptr)
            return;
        const QList<QAction*> items = loaded.actions().constFirst()->menu()->actions();
        const int at = static_cast<int>(menu->actions().indexOf(action)) + 1;
        InsertMenuCopies(items, menu, at);
        return;
    }
}

void CMainFrame::WireMenuBar() {
    AddMenuAdditions();
    QList<QAction*> actions;
    QList<QMenu*> menus;
    CollectActions(menuBar(), actions, menus);
    for (QMenu* menu : menus) {
        if (menu->property("zeltaWired").toBool())
            continue;
        menu->setProperty("zeltaWired", true);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            UpdateMenuStates();
            RefreshWindowList(menu);
        });
    }
    for (QAction* action : actions) {
        if (action->property("zeltaWired").toBool())
            continue;
        action->setProperty("zeltaWired", true);
        const int id = CommandIdOf(action);
        action->setStatusTip(PromptOf(String(id)));
        ShowAcceleratorKeys(action, id);
        if (HasCheckMark(id))
            action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        // The temperature commands are one choice of eight: marked as such in their menu.
        if (IsTemperatureCommand(id) && action->associatedObjects().size() > 0) {
            QObject* menu = action->associatedObjects().constFirst();
            auto* group = menu->findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly);
            if (group == nullptr) {
                group = new QActionGroup(menu);
                group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            group->addAction(action);
        }
    }
}

// A menu item names the keys of the frame's accelerator table that run its command, after the
// key its text already names ("&Exit\tAlt+F4, Ctrl+Q"). The keys are only shown here: the
// frame's shortcuts run them, so the item itself takes no shortcut.
void CMainFrame::ShowAcceleratorKeys(QAction* action, int id) {
    QString text = action->text();
    const int tab = text.indexOf(QLatin1Char('\t'));
    QStringList keys;
    if (tab >= 0)
        keys << text.mid(tab + 1);
    for (const auto& accelerator : services.accelerators) {
        const QString key = accelerator.first.toString(QKeySequence::NativeText);
        if (accelerator.second == id && !keys.contains(key))
            keys << key;
    }
    if (keys.isEmpty())
        return;
    action->setText(text.left(tab >= 0 ? tab : text.size()) + QLatin1Char('\t') +
                    keys.join(QStringLiteral(", ")));
}

// The multi-document client lists the graph windows at the end of the second-to-last
// top-level menu (the Window menu), the active one checked.
void CMainFrame::RefreshWindowList(QMenu* menu) {
    const QList<QAction*> top = menuBar()->actions();
    if (top.size() < 2 || top.at(top.size() - 2)->menu() != menu)
        return;
    for (QAction* action : menu->actions()) {
        if (action->property("zeltaWindowList").toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    // The list is one choice: the active window is marked as in a group of radio items.
    for (QActionGroup* old : menu->findChildren<QActionGroup*>(QStringLiteral("zeltaWindowList"),
                                                               Qt::FindDirectChildrenOnly))
        old->deleteLater();
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    auto* group = new QActionGroup(menu);
    group->setObjectName(QStringLiteral("zeltaWindowList"));
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    QAction* separator = menu->addSeparator();
    separator->setProperty("zeltaWindowList", true);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* item =
            menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        item->setProperty("zeltaWindowList", true);
        item->setCheckable(true);
        group->addAction(item);
        item->setChecked(window == mdiArea->activeSubWindow());
        QPointer<QMdiSubWindow> target(window);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target)
                mdiArea->setActiveSubWindow(target);
        });
    }
}

void CMainFrame::UpdateMenuStates() {
    QList<QAction*> actions;
    QList<QMenu*> menus;
    CollectActions(menuBar(), actions, menus);
    for (QAction* action : actions) {
        const int id = CommandIdOf(action);
        const CommandState st = QueryCommandState(id);
        action->setEnabled(st.enabled);
        if (action->isCheckable())
            action->setChecked(st.checked);
    }
}

CommandState CMainFrame::QueryCommandState(int id) const {
    CommandState st;
    const double t = state->selectedTemperature;
    const bool wet = IsWetTantalum();
    const int limit = ::MaxTemperature(GetCurrentCapacitor());
    for (const TemperatureCommand& command : kTemperatureCommands) {
        if (command.id != id)
            continue;
        st.checked = SameTemperature(t, command.celsius);
        if (command.celsius == 25)
            st.enabled = true;
        else if (command.celsius >= 125)
            st.enabled = !wet && limit >= command.celsius;
        else
            st.enabled = !wet;
        return st;
    }
    if (id == ID_TEMP_CUSTOM) {
        st.checked = true;
        for (const TemperatureCommand& command : kTemperatureCommands)
            if (SameTemperature(t, command.celsius))
                st.checked = false;
        st.enabled = !wet;
        return st;
    }
    const int kind = KindForCommand(id);
    if (kind >= 0) {
        st.checked = graphWindows[kind] != nullptr;
        if (kind == KindRippleVoltage || kind == KindRippleCurrent) {
            const CapacitorRecord* c = GetCurrentCapacitor();
            st.enabled = c == nullptr ||
                         (!wet && std::toupper(static_cast<unsigned char>(c->family)) != 'F');
        }
        return st;
    }
    if (id == ID_DELETE_MEASUREMENT)
        st.enabled = measurementSet;
    return st;
}

void CMainFrame::OnCommand(int id) {
    if (!QueryCommandState(id).enabled)
        return;
    auto* active = dynamic_cast<CChildFrame*>(mdiArea->activeSubWindow());
    if (active == nullptr && !mdiArea->subWindowList().isEmpty())
        active = dynamic_cast<CChildFrame*>(mdiArea->currentSubWindow());

    bool handled = true;
    if (active != nullptr && (active->OnCommand(id) || active->OnViewCommand(id))) {
        // a command of the graph window or its view
    } else if (int kind = KindForCommand(id); kind >= 0) {
        ToggleGraphWindow(kind);
    } else {
        handled = false;
        for (const TemperatureCommand& command : kTemperatureCommands) {
            if (command.id == id) {
                SetTemperature(command.celsius);
                handled = true;
            }
        }
    }
    if (!handled) {
        switch (id) {
        case ID_TEMP_CUSTOM:
            CustomTemperature();
            break;
        case ID_CHOOSE_CAPACITOR:
            ChooseAnotherCapacitor();
            break;
        case ID_SET_MEASUREMENT:
            SetMeasurementPoint();
            break;
        case ID_DELETE_MEASUREMENT:
            DeleteMeasurementPoint();
            break;
        case ID_EQUIVALENT_CIRCUIT:
            if (services.dialogs != nullptr)
                services.dialogs->ShowEquivalentCircuit(this, GetCurrentCapacitor());
            break;
        case ID_SPARAMETERS:
            GenerateSParameters();
            break;
        case ID_FIND_IMPEDANCE:
            FindByImpedance();
            break;
        case ID_EXPORT_SPICE:
            ExportSpiceModel();
            break;
        case ID_SAVE_GRAPH:
            SaveGraphAs();
            break;
        case ID_SAVE_DATA:
            SaveDataAs();
            break;
        case ID_SPARAMETERS_AT_TEMPERATURE:
            GenerateSParametersAtTemperature();
            break;
        case ID_COMPARISON:
            StartComparison();
            break;
        case ID_CANCEL_COMPARISON:
            CancelComparison();
            break;
        case ID_WINDOW_CASCADE:
        case ID_WINDOW_TILE_HORZ:
        case ID_WINDOW_TILE_VERT:
            ArrangeWindows(id);
            break;
        case ID_APP_EXIT:
            close();
            break;
        default:
            if (services.otherCommands)
                services.otherCommands(id);
            break;
        }
    }
    UpdateMenuStates();
    UpdateStatusPanes();
    if (!destroying)
        statusBar()->showMessage(String(kStrReady));
}

void CMainFrame::OnActiveWindowChanged(QMdiSubWindow* window) {
    if (destroying)
        return;
    if (auto* child = dynamic_cast<CChildFrame*>(window)) {
        child->OnUpdateFrameMenu();
        return;
    }
    // No active graph window left: the frame's own menu.
    if (window == nullptr && mdiArea->subWindowList().isEmpty())
        InstallMenu(kMenuNormalNoWindows);
}

void CMainFrame::OnGraphMenuUpdate(CChildFrame* window) {
    if (window == nullptr || window->Template() == nullptr)
        return;
    InstallMenu(window->Template()->ResourceId());
}

// ---- Temperature ----

void CMainFrame::SetTemperature(double temperature) {
    state->selectedTemperature = temperature;
    RecomputeCurves();
    UpdateGraphs();
    UpdateTitle();
}

void CMainFrame::CustomTemperature() {
    if (services.dialogs == nullptr)
        return;
    const int high = MaxTemperature(GetCurrentCapacitor());
    const int low = -55;
    int value = 0;
    if (!services.dialogs->RunCustomTemperature(
            this, low, high, static_cast<int>(state->selectedTemperature), &value))
        return;
    // The dialog holds the user to the range; a value outside it changes nothing.
    if (value < low || value > high)
        return;
    SetTemperature(value);
}

// ---- Capacitor choice ----

void CMainFrame::ChooseAnotherCapacitor() {
    ISelectionDialog* dialog = services.selectionDialog;
    if (dialog == nullptr)
        return;
    if (dialog->Exists()) {
        dialog->Raise();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool created = dialog->Create(this);
    QApplication::restoreOverrideCursor();
    if (!created)
        return;
    dialog->Present(GetCurrentCapacitor(), String(kStrSelectCapacitor));
}

void CMainFrame::PostCapacitorChosen() {
    QMetaObject::invokeMethod(
        this, [this] { TakeChosenCapacitor(); }, Qt::QueuedConnection);
}

int CMainFrame::TakeChosenCapacitor() {
    return TakeCapacitor(
        services.selectionDialog != nullptr ? services.selectionDialog->GetSelected() : nullptr);
}

int CMainFrame::TakeCapacitor(const CapacitorRecord* chosen) {
    // A confirmation without a chosen capacitor changes nothing.
    if (chosen == nullptr)
        return -1;
    state->currentCapacitor = chosen;
    if (IsWetTantalum())
        state->selectedTemperature = 25.0;
    const int limit = MaxTemperature(chosen);
    if (limit < state->selectedTemperature)
        state->selectedTemperature = limit;

    setUpdatesEnabled(false);
    CancelComparison();
    RecomputeCurves();
    CloseAllGraphs();
    nextKindIndex = 0;
    if (!OpenStandardGraphs()) {
        setUpdatesEnabled(true);
        return -1;
    }
    ReopenGraphWindows();
    UpdateTitle();
    UpdateGraphs();
    setUpdatesEnabled(true);
    TileWindows(true);
    repaint();
    UpdateMenuStates();
    return 0;
}

// ---- Comparison ----

void CMainFrame::StartComparison() {
    if (services.dialogs == nullptr)
        return;
    const CapacitorRecord* first = nullptr;
    const CapacitorRecord* second = nullptr;
    if (!services.dialogs->RunComparison(this, GetCurrentCapacitor(), GetComparisonCapacitor(0),
                                         GetComparisonCapacitor(1), &first, &second))
        return;
    if (first == nullptr || second == nullptr)
        return;
    state->comparisonCapacitors[0] = first;
    state->comparisonCapacitors[1] = second;
    SetComparisonMode(true);
    RecomputeCurves();
    for (int kind : {KindRippleVoltage, KindRippleCurrent, KindDCL})
        if (graphWindows[kind] != nullptr)
            ToggleGraphWindow(kind);
    if (services.menus != nullptr)
        SwitchMenuBar(menuBar(), false, *services.menus);
    WireMenuBar();
    UpdateGraphs();
    UpdateTitle();
}

void CMainFrame::CancelComparison() {
    SetComparisonMode(false);
    if (services.menus != nullptr)
        SwitchMenuBar(menuBar(), true, *services.menus);
    WireMenuBar();
    UpdateGraphs();
    UpdateTitle();
}

// ---- Measurement point ----

void CMainFrame::SetMeasurementPoint() {
    if (services.dialogs == nullptr)
        return;
    QString secondLabel;
    int initialChoice = 0;
    if (!SameTemperature(state->selectedTemperature, 25.0)) {
        secondLabel = FormatStringId(kStrTemperatureLabel, state->selectedTemperature);
        initialChoice = measureAtTemperature;
    }
    double frequency = 0.0;
    int choice = 0;
    if (!services.dialogs->RunMeasurementPoint(this, measurementFrequency, secondLabel,
                                               initialChoice, &frequency, &choice))
        return;
    // A frequency without a place on the logarithmic axis is no measurement point.
    if (!(frequency > 0.0) || !std::isfinite(frequency))
        return;
    measurementFrequency = frequency;
    measureAtTemperature = choice == 1 ? 1 : 0;
    measurementSet = true;
    RefreshMeasurementPoint();
}

void CMainFrame::DeleteMeasurementPoint() {
    if (!measurementSet)
        return;
    measurementSet = false;
    RefreshMeasurementPoint();
}

void CMainFrame::RefreshMeasurementPoint() {
    for (CChildFrame* window : graphWindows)
        if (window != nullptr)
            window->RefreshReadout();
}

int CMainFrame::AnswerMeasurementQuery(CChildFrame* window, double* point) {
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (window == nullptr || point == nullptr || !measurementSet || c == nullptr)
        return -1;
    const int kind = window->Kind();
    if (!IsFrequencyKind(kind))
        return -1; // the leakage graph's x axis is time
    const double f = measurementFrequency;
    ModelVector vector;
    BuildModelVector(*c, vector);
    FrequencyPoint p = Evaluate(*c, vector, f);
    const double e25 = p.esr;
    const double t = measureAtTemperature == 1 ? state->selectedTemperature : c->tMeasured;
    const double derating = RippleDerating(t, c->series);
    const double power = CasePowerDissipation(c->caseCode, c->family, c->series);
    if (measureAtTemperature == 1) {
        ScaleModelToTemperature(vector, state->selectedTemperature);
        p = Evaluate(*c, vector, f);
    }
    double rippleCurrent = 0.0;
    double rippleVoltage = 0.0;
    RippleLimits(e25, derating, power, p.impedanceMagnitude, c->ratedVoltage, rippleCurrent,
                 rippleVoltage);
    double value = 0.0;
    switch (kind) {
    case KindImpedance:
        value = p.impedanceMagnitude;
        break;
    case KindCapacitance:
        value = p.seriesCapacitance;
        break;
    case KindDF:
        value = p.dissipationFactor;
        break;
    case KindRippleVoltage:
        value = rippleVoltage;
        break;
    case KindRippleCurrent:
        value = rippleCurrent;
        break;
    case KindESR:
        value = p.esr;
        break;
    default:
        return -1;
    }
    point[0] = f;
    point[1] = value;
    return 0;
}

// ---- Picks ----

void CMainFrame::ShowCurveReadout(CChildFrame* window, const CursorInfo& cursor) {
    CGraph* view = window->GetActiveView();
    if (view == nullptr || destroying)
        return;
    const CGraphPainter& graph = view->Painter();
    const double* x = graph.XValues();
    const int count = graph.PointCount();
    if (cursor.phase == CursorInfo::End || x == nullptr || count < 1 || !(cursor.x > 0.0))
        return;
    // The grid point nearest the cursor: the values the curves were drawn through.
    int index = 0;
    for (int i = 1; i < count; ++i)
        if (std::fabs(x[i] - cursor.x) < std::fabs(x[index] - cursor.x))
            index = i;
    QString text = QString::fromStdString(FormatSI(x[index]) + graph.XUnit());
    for (int k = 0; k < 4; ++k) {
        const double* curve = graph.Curve(k);
        if (curve == nullptr)
            continue;
        const double v = curve[index];
        const std::string value =
            std::fabs(v) < 1e50 && std::isfinite(v) ? FormatSI(v) + graph.YUnit() : "--";
        text += QStringLiteral("   ") + QString::fromStdString(graph.LegendName(k)) +
                QStringLiteral(": ") + QString::fromStdString(value);
    }
    statusBar()->showMessage(text);
}

int CMainFrame::HandlePick(CChildFrame* window, CursorInfo* cursor) {
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (window == nullptr || cursor == nullptr || c == nullptr)
        return 0;
    ShowCurveReadout(window, *cursor);
    ModelVector vector;
    BuildModelVector(*c, vector);
    const int kind = window->Kind();

    if (IsFrequencyKind(kind)) {
        FrequencyPoint p = Evaluate(*c, vector, cursor->x);
        const double e25 = p.esr;
        const double t = cursor->curve == 1 ? state->selectedTemperature : c->tMeasured;
        const double derating = RippleDerating(t, c->series);
        const double power = CasePowerDissipation(c->caseCode, c->family, c->series);
        const double e0 = Evaluate(*c, vector, EsrReferenceFrequency(c->series)).esr;
        double limit = ScaleToEsrLimit(e25, e0);
        if (cursor->curve >= 1) {
            ScaleModelToTemperature(vector, state->selectedTemperature);
            p = Evaluate(*c, vector, cursor->x);
            if (cursor->curve == 2)
                limit = p.esr / e25 * limit;
        }
        double rippleCurrent = 0.0;
        double rippleVoltage = 0.0;
        RippleLimits(e25, derating, power, p.impedanceMagnitude, c->ratedVoltage, rippleCurrent,
                     rippleVoltage);
        if (IsComparisonMode()) {
            if (const CapacitorRecord* compared = GetComparisonCapacitor(cursor->curve)) {
                ModelVector comparedVector;
                BuildModelVector(*compared, comparedVector);
                p = Evaluate(*compared, comparedVector, cursor->x);
            }
        }

        const bool at25 = SameTemperature(state->selectedTemperature, 25.0);
        const bool limitPick =
            !IsComparisonMode() &&
            ((state->esrLimitReference[0] != 0.0 && at25 && cursor->curve == 1) ||
             (state->esrLimitAtTemperature[0] != 0.0 && !at25 && cursor->curve == 2));
        if (limitPick) {
            if (CChildFrame* esrWindow = graphWindows[KindESR]) {
                CursorInfo copy = *cursor;
                copy.y = limit;
                esrWindow->TrackCursor(copy);
            }
            return 0;
        }
        for (int k = KindDF; k <= KindRippleCurrent; ++k) {
            CChildFrame* follower = graphWindows[k];
            if (follower == nullptr)
                continue;
            CursorInfo copy = *cursor;
            switch (k) {
            case KindDF:
                copy.y = p.dissipationFactor;
                break;
            case KindESR:
                copy.y = p.esr;
                break;
            case KindImpedance:
                copy.y = p.impedanceMagnitude;
                break;
            case KindCapacitance:
                copy.y = p.seriesCapacitance;
                break;
            case KindRippleVoltage:
                copy.y = rippleVoltage;
                break;
            case KindRippleCurrent:
                copy.y = rippleCurrent;
                break;
            }
            follower->TrackCursor(copy);
        }
        return 0;
    }

    if (kind == KindDCL && cursor->view != nullptr) {
        CChildFrame* dclWindow = graphWindows[KindDCL];
        if (dclWindow != nullptr && dclWindow->GetActiveView() == cursor->view) {
            CursorInfo copy = *cursor;
            copy.y = state->DclCursorValue(cursor->x, cursor->curve);
            dclWindow->TrackCursor(copy);
        }
    }
    return 0;
}

// ---- Graph update ----

void CMainFrame::RefreshDclBar(CChildFrame* window) {
    window->CreateViewDclBar(kDclBarTemplate);
    CDclBar* bar = window->GetDclBar();
    if (bar == nullptr || bar->VoltageList() == nullptr || bar->TemperatureList() == nullptr)
        return;
    QComboBox* voltage = bar->VoltageList();
    QComboBox* temperature = bar->TemperatureList();
    DclBarMemory& memory = RememberedDclSelections();
    if (voltage->currentIndex() >= 0)
        memory.voltage = voltage->currentText().toStdString();
    if (temperature->currentIndex() >= 0)
        memory.temperature = temperature->currentText().toStdString();

    const CapacitorRecord* c = GetCurrentCapacitor();
    const DclBarLists lists =
        ComposeDclBarLists(c != nullptr ? c->series : "", memory.voltage, memory.temperature);
    {
        const QSignalBlocker blockVoltage(voltage);
        const QSignalBlocker blockTemperature(temperature);
        voltage->clear();
        for (const std::string& item : lists.voltageItems)
            voltage->addItem(QString::fromStdString(item));
        temperature->clear();
        for (const std::string& item : lists.temperatureItems)
            temperature->addItem(QString::fromStdString(item));
        voltage->setCurrentIndex(lists.voltageIndex);
        temperature->setCurrentIndex(lists.temperatureIndex);
    }
    const DclConditions conditions = DclConditionsAt(lists.voltageIndex, lists.temperatureIndex);
    state->SetDclConditions(conditions.voltagePercent, conditions.temperature);
}

void CMainFrame::UpdateGraphs() {
    // Back to 100 % / 25 °C, curves included: with the leakage window closed nothing sets the
    // bar's conditions again, and the data export must not label old curves with new conditions.
    state->ResetDclConditions();
    static const struct EmptyTable : IStringTable {
        std::string GetString(int) const override { return std::string(); }
    } kNoStrings;
    const IStringTable& strings = services.strings != nullptr ? *services.strings : kNoStrings;
    for (int kind = 0; kind < kGraphKindCount; ++kind) {
        CChildFrame* window = graphWindows[kind];
        if (window == nullptr || window->GetActiveView() == nullptr)
            continue;
        if (kind == KindDCL && GetCurrentCapacitor() != nullptr)
            RefreshDclBar(window);
        const GraphFill fill =
            ComposeGraphFill(static_cast<GraphKind>(kind), MakeFillSource(*state), strings);
        ApplyGraphFill(*window->GetActiveView(), fill);
    }
}

// ---- Messages of the graph windows ----

void CMainFrame::OnGraphFrameDestroyed(CChildFrame* window) {
    for (CChildFrame*& slot : graphWindows)
        if (slot == window)
            slot = nullptr;
}

void CMainFrame::OnGraphFrameActivated(CChildFrame* window) {
    // Registrations beyond the seventh are ignored.
    if (nextKindIndex >= kGraphKindCount)
        return;
    graphWindows[nextKindIndex] = window;
    ++nextKindIndex;
    window->SetDclBarTemplateLoader(services.dialogTemplates);
    const QString untitled = String(kStrUntitled);
    window->setWindowTitle(window->Template()->TitleFor(GetPartNumberText(), untitled));
    UpdateGraphs();
}

void CMainFrame::OnGraphCloseAll() {
    CloseAllGraphs();
}

int CMainFrame::OnGraphPick(CChildFrame* window, CursorInfo* cursor) {
    return HandlePick(window, cursor);
}

int CMainFrame::OnGraphPrintPage(QPainter* painter) {
    return ComposeFramePage(painter, graphWindows, GetPartNumberText(), services.graphResources);
}

int CMainFrame::OnGraphQueryPoint(CChildFrame* window, double* point) {
    return AnswerMeasurementQuery(window, point);
}

int CMainFrame::OnGraphDeletePoint() {
    DeleteMeasurementPoint();
    return 0;
}

void CMainFrame::OnGraphBarChanged() {
    UpdateGraphs();
}

// ---- S-parameters ----

QString& CMainFrame::LastSParameterFolder() {
    static QString folder;
    return folder;
}

void CMainFrame::GenerateSParameters() {
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (c == nullptr || services.dialogs == nullptr)
        return;
    const QString folder = services.dialogs->BrowseForFolder(
        this, StripMnemonic(QStringLiteral("&Folders")), LastSParameterFolder());
    if (folder.isEmpty()) // cancelled; the root folder "/" is a real choice here
        return;
    LastSParameterFolder() = folder;
    if (services.messages == nullptr || services.strings == nullptr)
        return;
    WriteSParameterFiles(folder.toStdString(), *c, *services.messages, *services.strings);
}

// ---- Find, exports at the selected temperature ----

void CMainFrame::FindByImpedance() {
    if (services.dialogs == nullptr || services.catalogue == nullptr)
        return;
    const CapacitorRecord* chosen = nullptr;
    if (!services.dialogs->RunFindImpedance(this, *services.catalogue, state->selectedTemperature,
                                            &chosen) ||
        chosen == nullptr)
        return;
    // Queued like WM_CAPACITOR_CHOSEN, so the part is taken after the dialog has gone.
    QMetaObject::invokeMethod(
        this, [this, chosen] { TakeCapacitor(chosen); }, Qt::QueuedConnection);
}

bool CMainFrame::WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    const std::string name = path.toStdString();
    if (!file.open(QIODevice::WriteOnly)) {
        if (services.messages != nullptr && services.strings != nullptr)
            ReportMessage(*services.messages, *services.strings, IDS_CANNOT_OPEN_FILE,
                          MessageIcon::Error, name.c_str());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        if (services.messages != nullptr && services.strings != nullptr)
            ReportMessage(*services.messages, *services.strings, IDS_CANNOT_WRITE_FILE,
                          MessageIcon::Error, name.c_str());
        return false;
    }
    return true;
}

void CMainFrame::ExportSpiceModel() {
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (c == nullptr || services.dialogs == nullptr)
        return;
    const QString part = QString::fromLatin1(c->partNumber);
    QString initial = part + QStringLiteral(".lib");
    if (!LastSParameterFolder().isEmpty())
        initial = LastSParameterFolder() + QLatin1Char('/') + initial;
    const QString path = services.dialogs->SaveFileName(this, String(kStrExportSpiceTitle),
                                                        String(kStrSpiceFilter), initial);
    if (path.isEmpty())
        return;
    // Away from 25 °C the user chooses: the values at the selected temperature, or the
    // sub-circuit with its coefficients that serves every temperature.
    const double t = state->selectedTemperature;
    const bool atTemperature =
        !SameTemperature(t, 25.0) &&
        services.dialogs->AskYesNo(this,
                                   String(kStrSpiceAtTemperature)
                                       .replace(QStringLiteral("%s"), QString::number(t, 'g', 6)));
    const std::string netlist = atTemperature ? BuildSpiceNetlistAt(*c, t) : BuildSpiceNetlist(*c);
    WriteWholeFile(path, QByteArray::fromStdString(netlist));
}

void CMainFrame::GenerateSParametersAtTemperature() {
    const CapacitorRecord* c = GetCurrentCapacitor();
    if (c == nullptr || services.dialogs == nullptr)
        return;
    const QString title =
        String(kStrSParametersAtTitle)
            .replace(QStringLiteral("%s"), QString::number(state->selectedTemperature, 'g', 6));
    const QString folder = services.dialogs->BrowseForFolder(this, title, LastSParameterFolder());
    if (folder.isEmpty())
        return;
    LastSParameterFolder() = folder;
    if (!IsSafeInFileName(c->partNumber)) {
        if (services.messages != nullptr && services.strings != nullptr)
            ReportMessage(*services.messages, *services.strings, IDS_CANNOT_OPEN_FILE,
                          MessageIcon::Error,
                          SParameterFileName(folder.toStdString(), c->partNumber, false).c_str());
        return;
    }
    std::string texts[2];
    SParameterTextsAt(*c, state->selectedTemperature, texts);
    for (int shunt = 0; shunt < 2; ++shunt) {
        const QString path = QString::fromStdString(
            SParameterFileName(folder.toStdString(), c->partNumber, shunt == 1));
        if (!WriteWholeFile(path, QByteArray::fromStdString(texts[shunt])))
            return; // the shunt file only after a complete series file
    }
}

// ---- Saving a graph ----

namespace {

// The view of the active graph window, or of the current one when the frame has the focus.
CGraph* ActiveView(QMdiArea* area) {
    auto* window = dynamic_cast<CChildFrame*>(area->activeSubWindow());
    if (window == nullptr)
        window = dynamic_cast<CChildFrame*>(area->currentSubWindow());
    return window != nullptr ? window->GetActiveView() : nullptr;
}

QString SuggestedName(const QString& folder, const QString& name) {
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

} // namespace

void CMainFrame::SaveGraphAs() {
    CGraph* view = ActiveView(mdiArea);
    if (view == nullptr || view->PointCount() < 2 || services.dialogs == nullptr)
        return;
    const QString path = services.dialogs->SaveFileName(
        this, String(kStrSaveGraphTitle), String(kStrPictureFilter),
        SuggestedName(LastSParameterFolder(),
                      GetPartNumberText().replace(QLatin1Char('/'), QLatin1Char('_')) +
                          QStringLiteral(".png")));
    if (path.isEmpty())
        return;
    GraphPicture kind = GraphPicture::Png;
    QString target = path;
    if (!GraphPictureForName(target, &kind))
        target += QStringLiteral(".png"); // a name without a picture ending becomes a PNG
    // The picture at the window's size, never smaller than a readable graph.
    const int width = std::max(view->width(), 400);
    const int height = std::max(view->height(), 300);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!WriteGraphPicture(view->Painter(), kind, buffer, width, height)) {
        if (services.messages != nullptr && services.strings != nullptr)
            ReportMessage(*services.messages, *services.strings, IDS_CANNOT_WRITE_FILE,
                          MessageIcon::Error, target.toStdString().c_str());
        return;
    }
    WriteWholeFile(target, bytes);
}

void CMainFrame::SaveDataAs() {
    CGraph* view = ActiveView(mdiArea);
    if (view == nullptr || view->PointCount() < 1 || services.dialogs == nullptr)
        return;
    const QString path = services.dialogs->SaveFileName(
        this, String(kStrSaveDataTitle), String(kStrCsvFilter),
        SuggestedName(LastSParameterFolder(),
                      GetPartNumberText().replace(QLatin1Char('/'), QLatin1Char('_')) +
                          QStringLiteral(".csv")));
    if (path.isEmpty())
        return;
    WriteWholeFile(path, QByteArray::fromStdString(GraphCurvesCsv(view->Painter())));
}

// ---- Resizing ----

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdiArea && event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        ResizeGraphWindowsProportionally(resize->size().width(), resize->size().height());
    }
    return QMainWindow::eventFilter(watched, event);
}

// The graph windows keep their places in proportion to the client area, unless one of them
// is maximised (it follows the area by itself).
void CMainFrame::ResizeGraphWindowsProportionally(int width, int height) {
    if (isMinimized() || width <= 0 || height <= 0)
        return;
    if (lastClientWidth != 0 && lastClientHeight != 0) {
        const double sx = static_cast<double>(width) / lastClientWidth;
        const double sy = static_cast<double>(height) / lastClientHeight;
        bool anyMaximised = false;
        for (CChildFrame* window : graphWindows)
            if (window != nullptr && window->isMaximized())
                anyMaximised = true;
        if (!anyMaximised) {
            for (CChildFrame* window : graphWindows) {
                if (window == nullptr)
                    continue;
                const QRect r = window->geometry();
                const int left = static_cast<int>(r.left() * sx);
                const int top = static_cast<int>(r.top() * sy);
                const int right = static_cast<int>((r.right() + 1) * sx);
                const int bottom = static_cast<int>((r.bottom() + 1) * sy);
                window->setGeometry(
                    KeepReadableInside(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                                       QRect(0, 0, width, height)));
            }
        }
    }
    lastClientWidth = width;
    lastClientHeight = height;
}
