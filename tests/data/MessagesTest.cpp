#include "Messages.h"
#include "BuiltinStringTable.h"
#include "DataTestSupport.h"
#include "StringIds.h"

#include <gtest/gtest.h>

namespace {

TEST(BuiltinStringTable, HoldsTheLoaderTextsByteForByte) {
    const struct {
        int id;
        const char* text;
    } cases[] = {
        {34004, "Cannot open file %s\n"},
        {34005, "Error in file %s at line %i\n"},
        {34006, "The number of capacitors is limited to 10 000"},
        {34007, "Cannot read from file (line %i) %s \n"},
        {34008, "Library %s does not contain model for capacitor %s"},
        {34009, "Not enough memory"},
        {34056, "Library %s contains duplicate model %s"},
        {34057, "File %s contains duplicate capacitor %s"},
    };
    const BuiltinStringTable table;
    for (const auto& c : cases)
        EXPECT_EQ(table.GetString(c.id), c.text) << c.id;
    EXPECT_EQ(table.GetString(34010), "");
}

TEST(FormatString, FormatsPrintfStyleIncludingLongResults) {
    const BuiltinStringTable table;
    EXPECT_EQ(FormatString(table, IDS_FILE_FORMAT_ERROR, "/data/cap.vorn", 12),
              "Error in file /data/cap.vorn at line 12\n");
    EXPECT_EQ(FormatString(table, IDS_CANNOT_READ_FILE, 3, "x.lib"),
              "Cannot read from file (line 3) x.lib \n");
    // Paths far beyond any fixed buffer come through whole.
    const std::string longPath(5000, 'p');
    EXPECT_EQ(FormatString(table, IDS_CANNOT_OPEN_FILE, longPath.c_str()),
              "Cannot open file " + longPath + "\n");
    EXPECT_EQ(FormatString(table, 1), "");
}

TEST(ReportMessage, HandsIdIconAndFormattedTextToTheSink) {
    const BuiltinStringTable table;
    RecordingSink sink;
    ReportMessage(sink, table, IDS_DUPLICATE_MODEL, MessageIcon::Error, "v.lib", "QAKA106K010");
    ReportMessage(sink, table, IDS_TOO_MANY_CAPACITORS, MessageIcon::Warning);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].id, IDS_DUPLICATE_MODEL);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sink.messages[0].text, "Library v.lib contains duplicate model QAKA106K010");
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(sink.messages[1].text, "The number of capacitors is limited to 10 000");
}

} // namespace
