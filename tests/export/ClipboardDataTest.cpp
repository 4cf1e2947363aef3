#include "Clipboard.h"
#include "DataText.h"
#include "Messages.h"
#include "ModelFixtures.h"
#include "WorkingState.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <string>
#include <vector>

CapacitorRecord ClipboardTestPart() {
    CapacitorRecord part = SixStageRecord();
    AddTemperatureCoefficients(part);
    part.dclMax = 0.5;
    return part;
}

namespace {

class RecordingSink : public IMessageSink {
public:
    void ShowMessage(int id, MessageIcon, const std::string& text) override {
        messages.emplace_back(id, text);
    }
    std::vector<std::pair<int, std::string>> messages;
};

void PutMarker() {
    auto* data = new QMimeData;
    data->setText(QStringLiteral("marker"));
    QGuiApplication::clipboard()->setMimeData(data);
}

const QMimeData* Clipboard() {
    return QGuiApplication::clipboard()->mimeData();
}

std::vector<std::string> Lines(const QString& text) {
    std::vector<std::string> lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.toStdString());
    return lines;
}

TEST(CopyData, TextOfTheCurrentCapacitorOrNothing) {
    RecordingSink sink;
    ClipboardContext context;
    context.messages = &sink;

    // No capacitor, no frequency points: the clipboard keeps what it had.
    CWorkingState empty;
    PutMarker();
    EXPECT_FALSE(CopyDataAsText(empty, context));
    EXPECT_EQ(Clipboard()->text(), QStringLiteral("marker"));

    CapacitorRecord part = ClipboardTestPart();
    CWorkingState state;
    state.selectedTemperature = 85;
    state.TakeCapacitor(&part);
    state.RecomputeCurves();
    ASSERT_TRUE(state.SetDclConditions(50, 85));
    ASSERT_TRUE(CopyDataAsText(state, context));
    const QString text = Clipboard()->text();
    EXPECT_EQ(text.toStdString(), BuildDataText(state));
    const std::vector<std::string> lines = Lines(text);
    // Header, 600 data lines, an empty line, the leakage header, 29 leakage lines, and the
    // empty rest after the last line feed.
    ASSERT_EQ(lines.size(), 7u + 600u + 1u + 1u + 29u + 1u);
    EXPECT_EQ(lines[1], "Frequency response parameters: T=85 °C");
    EXPECT_EQ(lines[2], "DCL parameters: Vr=5 V T=85 °C");
    EXPECT_EQ(lines[607], "");
    EXPECT_EQ(lines[608], "Time [s]\tDCL [nA]");
    EXPECT_EQ(lines[609].rfind("20\t", 0), 0u);
    EXPECT_EQ(lines[637].rfind("300\t", 0), 0u);
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
