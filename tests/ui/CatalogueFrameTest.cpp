// The main frame on capacitors read by the store from a small catalogue and model library,
// as the program reads them at start-up.

#include "CCapacitorStore.h"
#include "CGraphDocTemplate.h"
#include "CMainFrame.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

class SilentSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class CatalogueFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
        store = std::make_unique<CCapacitorStore>(sink, library);
        ASSERT_EQ(LoadStoreFromDirectory(*store, FixturePath("ui")), 0)
            << (sink.shown.empty() ? "" : sink.shown.front());
        templates = CreateGraphDocTemplates(library);
        std::array<const CGraphDocTemplate*, kGraphKindCount> order{};
        for (size_t i = 0; i < templates.size(); ++i)
            order[i] = templates[i].get();
        MainFrameServices services;
        services.strings = &library;
        services.menus = &menus;
        frame = std::make_unique<CMainFrame>(order, services);
        frame->resize(1000, 800);
    }
    void TearDown() override {
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    const CapacitorRecord* Part(const char* partNumber) const {
        for (int i = 0; i < store->GetCount(); ++i)
            if (std::strcmp(store->GetAt(i)->partNumber, partNumber) == 0)
                return store->GetAt(i);
        return nullptr;
    }

    CResourceLibrary library;
    CResourceMenuSource menus{library};
    SilentSink sink;
    std::unique_ptr<CCapacitorStore> store;
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(CatalogueFrameTest, PartsFromTheCatalogueDriveTitlesPanesAndCommands) {
    struct Row {
        const char* part;
        const char* caseText;
        bool ripple;
        bool t125;
    };
    const Row rows[] = {
        {"QAKB106M016RNJ", "Case: B", true, true},    // the catalogue completes the code
        {"QCT1C106MRA", "Case: R QCT", false, true},  // conformal: no ripple graphs
        {"QCLD107M010R0050", "Case: D", true, false}, // a QCL part outside the 125 °C list
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.part);
        const CapacitorRecord* record = Part(row.part);
        ASSERT_NE(record, nullptr);
        frame->SetCurrentCapacitor(record);
        ASSERT_EQ(frame->ShowInitialGraphs(), 0);
        EXPECT_EQ(frame->StatusPane(34000)->text(), QStringLiteral("Part: ") + row.part);
        EXPECT_EQ(frame->StatusPane(34003)->text(), QString::fromUtf8(row.caseText));
        EXPECT_EQ(frame->QueryCommandState(32791).enabled, row.ripple);
        EXPECT_EQ(frame->QueryCommandState(32777).enabled, row.t125);
        frame->CloseAllGraphs();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
