#include "ProgramStartup.h"

#include "CCapacitorStore.h"
#include "CFrameDialogs.h"
#include "CGraphDocTemplate.h"
#include "CMainFrame.h"
#include "CapacitorPicker.h"
#include "DataFolders.h"
#include "DialogResources.h"
#include "FrameClipboard.h"
#include "FrameDialogs.h"
#include "Graph.h"
#include "LibraryGraphResources.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"
#include "SelectDlg.h"
#include "SplashWnd.h"
#include "StoreCatalogue.h"
#include "UpdateViaInternet.h"
#include "ZeltaApp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>

#include <unistd.h>

#include <climits>

namespace {

// The resource library as the dialogs see it.
class CLibraryDialogResources : public IDialogResources {
public:
    explicit CLibraryDialogResources(const CResourceLibrary& library) : m_library(library) {}
    QWidget* LoadDialog(int id, QWidget* parent) override {
        return m_library.LoadDialog(id, parent).release();
    }
    QString LoadString(int id) override { return m_library.String(id); }
    QPixmap LoadBitmap(int id) override { return m_library.Bitmap(id); }
    QCursor LoadCursor(int id) override { return m_library.Cursor(id); }

private:
    const CResourceLibrary& m_library;
};

// The main frame's one modeless selection dialog.
class CFrameSelectionDialog : public ISelectionDialog {
public:
    CFrameSelectionDialog(const IFilterCatalogue& catalogue, const IStringTable& strings)
        : m_catalogue(catalogue), m_strings(strings) {}
    ~CFrameSelectionDialog() override { delete m_dialog.data(); }

    bool Exists() const override { return m_dialog != nullptr; }
    bool Create(QWidget* parent) override {
        auto* dialog = new CSelectDlg(&m_catalogue, &m_strings, parent);
        if (!dialog->Create(150) || dialog->LoadPictures() != 0) {
            delete dialog;
            return false;
        }
        auto* frame = dynamic_cast<CMainFrame*>(parent);
        dialog->SetOnConfirmed([frame] {
            if (frame != nullptr) {
                frame->PostCapacitorChosen();
            }
        });
        m_dialog = dialog;
        return true;
    }
    void Present(const CapacitorRecord* current, const QString& title) override {
        if (m_dialog == nullptr) {
            return;
        }
        m_dialog->setWindowTitle(title);
        m_dialog->RestoreFilters();
        m_dialog->FillLists(0);
        m_dialog->SelectRecord(current);
        m_dialog->show();
        m_dialog->raise();
    }
    void Raise() override {
        if (m_dialog != nullptr) {
            m_dialog->show();
            m_dialog->raise();
            m_dialog->activateWindow();
        }
    }
    const CapacitorRecord* GetSelected() const override {
        return m_dialog != nullptr ? m_dialog->GetSelected() : nullptr;
    }

private:
    const IFilterCatalogue& m_catalogue;
    const IStringTable& m_strings;
    QPointer<CSelectDlg> m_dialog;
};

// The selection dialog as the comparison's picker.
class CComparePicker : public ICapacitorPicker {
public:
    CComparePicker(const IFilterCatalogue& catalogue, const IStringTable& strings)
        : m_catalogue(catalogue), m_strings(strings) {}
    bool Create(int templateId, QWidget* parent) override {
        m_dialog = std::make_unique<CSelectDlg>(&m_catalogue, &m_strings, parent);
        return m_dialog->Create(templateId);
    }
    int LoadPictures() override { return m_dialog->LoadPictures(); }
    void FillLists(int save) override { m_dialog->FillLists(save); }
    void SetTitle(const QString& title) override { m_dialog->setWindowTitle(title); }
    void SelectRecord(const CapacitorRecord* record) override { m_dialog->SelectRecord(record); }
    bool RunModal() override { return m_dialog->exec() == QDialog::Accepted; }
    const CapacitorRecord* GetSelected() override { return m_dialog->GetSelected(); }
    QWidget* Window() override { return m_dialog.get(); }

private:
    const IFilterCatalogue& m_catalogue;
    const IStringTable& m_strings;
    std::unique_ptr<CSelectDlg> m_dialog;
};

class CStartupSelectDlg : public IStartupSelection {
public:
    CStartupSelectDlg(const IFilterCatalogue& catalogue, const IStringTable& strings)
        : m_dialog(std::make_unique<CSelectDlg>(&catalogue, &strings)) {}
    bool Create() override { return m_dialog->Create(131); }
    int LoadPictures() override { return m_dialog->LoadPictures(); }
    void FillLists(int save) override { m_dialog->FillLists(save); }
    bool RunModal() override { return m_dialog->exec() == QDialog::Accepted; }
    const CapacitorRecord* GetSelected() override { return m_dialog->GetSelected(); }
    void Destroy() override { m_dialog.reset(); }
    QWidget* Window() override { return m_dialog.get(); }

private:
    std::unique_ptr<CSelectDlg> m_dialog;
};

class CStartupSplash : public IStartupSplash {
public:
    bool Create() override { return m_splash.Create(); }
    void SetTopmost(bool topmost) override { m_splash.SetTopmost(topmost); }
    void Wait(int ms) override { m_splash.Wait(ms); }

private:
    CSplashWnd m_splash;
};

} // namespace

struct CProgram::Impl {
    CResourceLibrary library;
    CLibraryDialogResources dialogResources{library};
    CLibraryGraphResources graphResources{library};
    CMessageBoxSink sink;
    CCapacitorStore store{sink, library};
    CStoreCatalogue catalogue{store};
    CResourceMenuSource menus{library};
    CFrameDialogs frameDialogs;
    CFrameSelectionDialog frameSelection{catalogue, library};
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
    QElapsedTimer clock;
    QPointer<CMainFrame> mainFrame;
    std::unique_ptr<CZeltaApp> app;

    StartupParts Parts();
};

namespace {

// The hidden main frame, created with the seven templates.
class CStartupMainFrame : public IStartupFrame {
public:
    using Factory = std::function<CMainFrame*()>;
    explicit CStartupMainFrame(Factory factory) : m_factory(std::move(factory)) {}
    ~CStartupMainFrame() override { Destroy(); }
    bool Create() override {
        m_frame = m_factory();
        return m_frame != nullptr;
    }
    void SetCurrentCapacitor(const CapacitorRecord* record) override {
        m_frame->SetCurrentCapacitor(record);
    }
    int ShowInitialGraphs() override { return m_frame->ShowInitialGraphs(); }
    void Destroy() override {
        delete m_frame.data();
        m_frame = nullptr;
    }
    QWidget* Window() override { return m_frame; }

private:
    Factory m_factory;
    QPointer<CMainFrame> m_frame;
};

} // namespace

namespace {

// The tooltip field of a command prompt ("prompt\ntooltip").
QString TooltipText(const QString& prompt) {
    const int newline = prompt.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : prompt.mid(newline + 1);
}

} // namespace

StartupParts CProgram::Impl::Parts() {
    StartupParts parts;
    parts.loadResources = [this](QString& error) {
        if (library.Load() != 0) {
            error = library.ErrorText();
            return -1;
        }
        SetDialogResources(&dialogResources);
        // The product's icon on the main window and every dialog; graph windows carry their
        // kind's icon (their templates').
        QApplication::setWindowIcon(library.Icon(128));
        CGraph::SetPrintDialogTitles(TooltipText(library.String(57609)),
                                     TooltipText(library.String(57606)));
        return 0;
    };
    parts.resourceString = [this](int id) { return library.String(id); };
    parts.makeSelection = [this] {
        return std::make_unique<CStartupSelectDlg>(catalogue, library);
    };
    parts.makeSplash = [] { return std::make_unique<CStartupSplash>(); };
    parts.makeFrame = [this] {
        return std::make_unique<CStartupMainFrame>([this]() -> CMainFrame* {
            templates = CreateGraphDocTemplates(library);
            if (templates.size() != std::size_t(kGraphKindCount)) {
                return nullptr;
            }
            std::array<const CGraphDocTemplate*, kGraphKindCount> inOrder{};
            for (int i = 0; i < kGraphKindCount; ++i) {
                inOrder[std::size_t(i)] = templates[std::size_t(i)].get();
            }
            MainFrameServices services;
            services.strings = &library;
            services.menus = &menus;
            services.dialogTemplates = [this](int id, QWidget* parent) {
                return library.LoadDialog(id, parent).release();
            };
            services.messages = &sink;
            services.dialogs = &frameDialogs;
            services.selectionDialog = &frameSelection;
            services.graphResources = &graphResources;
            services.catalogue = &catalogue;
            for (const CAccelerator& accelerator : library.Accelerators(128)) {
                services.accelerators.emplace_back(accelerator.key, accelerator.id);
            }
            services.otherCommands = [this](int id) {
                // The clipboard commands first, then the application's own (About, Help).
                if (mainFrame != nullptr) {
                    ClipboardContext clipboard;
                    clipboard.messages = &sink;
                    clipboard.strings = &library;
                    if (ServeClipboardCommand(*mainFrame, id, clipboard)) {
                        return true;
                    }
                }
                return app != nullptr && app->OnCommand(id, QApplication::activeWindow());
            };
            mainFrame = new CMainFrame(inOrder, services);
            return mainFrame.data();
        });
    };
    parts.loadData = [this] {
        // The data files are read from the current folder, or else from the installation's
        // data folders; without a current folder there is nothing to say and nothing to load.
        char folder[PATH_MAX];
        if (getcwd(folder, sizeof folder) == nullptr) {
            return -1;
        }
        return LoadStoreFromFolders(store, DataFolders::ForThisProcess());
    };
    parts.tickCount = [this] { return std::uint32_t(clock.elapsed()); };
    parts.sleep = [](int ms) { QThread::msleep(ms < 0 ? 0 : unsigned(ms)); };
    return parts;
}

CProgram::CProgram(const std::function<void(StartupParts&)>& adjust)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->clock.start();
    StartupParts parts = m_impl->Parts();
    if (adjust) {
        adjust(parts);
    }
    m_impl->app = std::make_unique<CZeltaApp>(std::move(parts));
    SetCapacitorPickerFactory([impl = m_impl.get()] {
        return std::make_unique<CComparePicker>(impl->catalogue, impl->library);
    });
    // Button "Update via Internet" of every selection dialog runs the online update.
    CSelectDlg::SetUpdateHandler([](QWidget* owner) { UpdateViaInternet(owner); });
}

CProgram::~CProgram() {
    SetCapacitorPickerFactory(nullptr);
    CSelectDlg::SetUpdateHandler(nullptr);
    m_impl->app.reset();
    SetDialogResources(nullptr);
}

bool CProgram::InitInstance() {
    return m_impl->app->InitInstance();
}

CZeltaApp& CProgram::App() {
    return *m_impl->app;
}

CMainFrame* CProgram::MainFrame() const {
    return m_impl->mainFrame;
}
