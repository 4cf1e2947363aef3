#include "CGraphDocTemplate.h"
#include "GraphKindTable.h"
#include "ResourceLibrary.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphKindTable, CommandsTemplatesAndClassesPerKind) {
    struct Row {
        GraphKind kind;
        int command;
        int templateId;
        const char* windowClass;
    };
    const Row rows[] = {
        {KindDF, 32781, 131, "CChildDF"},
        {KindESR, 32782, 130, "CChildR"},
        {KindImpedance, 32779, 132, "CChildZ"},
        {KindCapacitance, 32780, 129, "CChildC"},
        {KindRippleVoltage, 32791, 133, "CChildURipple"},
        {KindRippleCurrent, 32792, 153, "CChildIRipple"},
        {KindDCL, 32797, 184, "CChildDCL"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(KindInfo(row.kind).commandId, row.command);
        EXPECT_EQ(KindInfo(row.kind).templateId, row.templateId);
        EXPECT_STREQ(KindInfo(row.kind).windowClass, row.windowClass);
        EXPECT_EQ(KindForCommand(row.command), row.kind);
        EXPECT_EQ(KindForTemplate(row.templateId), row.kind);
    }
    EXPECT_EQ(KindForCommand(32774), -1);
    EXPECT_EQ(KindForTemplate(128), -1);
}

TEST(GraphDocTemplate, TitleIsDocumentNameAndPartNumberText) {
    CGraphDocTemplate esr(130, "\nThe graph of ESR\nThe graph of ESR\n\n\\Document\nDocument");
    EXPECT_EQ(esr.DocumentName(), "The graph of ESR");
    EXPECT_EQ(esr.Kind(), KindESR);
    EXPECT_EQ(esr.TitleFor(QStringLiteral("QAKB106M016R"), QStringLiteral("Untitled")),
              QStringLiteral("The graph of ESR - QAKB106M016R"));
    EXPECT_EQ(esr.TitleFor(QStringLiteral("A/B"), QStringLiteral("Untitled")),
              QStringLiteral("The graph of ESR - A/B"));

    for (const char* text : {"", "no fields", "\n\nsecond empty"}) {
        CGraphDocTemplate nameless(130, text);
        EXPECT_EQ(nameless.TitleFor(QStringLiteral("P"), QStringLiteral("Untitled")),
                  QStringLiteral("Untitled"))
            << text;
    }
}

TEST(GraphDocTemplate, TemplatesFromTheResourceLibraryInCreationOrder) {
    CResourceLibrary library;
    library.SetLanguage(CResourceLibrary::Language::English);
    ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
    auto templates = CreateGraphDocTemplates(library);
    ASSERT_EQ(templates.size(), 7u);
    const int order[] = {130, 129, 132, 131, 153, 133, 184};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(templates[i]->ResourceId(), order[i]);
        EXPECT_EQ(templates[i]->DocumentName(),
                  KindInfo(static_cast<GraphKind>(templates[i]->Kind())).documentName);
    }
}

} // namespace
