#include "Series.h"
#include "DataTestSupport.h"
#include "RecordIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

TEST(FamilyOf, FollowsTheSeriesTableWithoutRegardToCase) {
    const struct {
        const char* partNumber;
        char family;
    } cases[] = {
        {"QAKA106K010R", 'T'}, {"qakA106K010R", 'T'}, {"QCNA106K010R", 'T'}, {"QBTA106K010R", 'N'},
        {"QcRD107M010R", 'N'}, {"QCT1C106MRA", 'F'},  {"qczx", 'F'},         {"xyzA106K010R", 'X'},
        {"nabA106K010R", 'N'}, {"fooA106K010R", 'F'}, {"QZZA106K010R", 'Q'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FamilyOf(c.partNumber), c.family) << c.partNumber;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(ComparePartNumbers, OrdersBySeriesRankThenTextWithFamilyFLast) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"QAKA106K010R", "QAKA106K010R", 0},
        {"QAKA106K010R", "qaka106k010r", 0},  // one series: text without case
        {"QAKA106K010R", "QAKB106K010R", -1}, // same series: text
        {"QBHA106K010R", "QAKZ999K010R", 1},  // rank 2 after rank 1
        {"QCLA106K010R", "QCMA106K010R", -1}, // rank 12 before 14
        {"QZZA106K010R", "QCLA106K010R", 1},  // an unlisted series sits at rank 13
        {"QZZA106K010R", "QCMA106K010R", -1},
        {"QCRD107M010R", "QCT1C106MRA", -1}, // family F comes after everything
        {"QCT1C106MRA", "QAKA106K010R", 1},
        {"QCZ0G106MRA", "QCT1C106MRA", 1},    // family F among itself: text
        {"QYYA106K010R", "QZZA106K010R", -1}, // two unlisted series: text
        {"QZZA106K010R", "qyyA106K010R", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(ComparePartNumbers(c.a, c.b)), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(Sign(ComparePartNumbers(c.b, c.a)), -c.expected) << c.b << " vs " << c.a;
    }
}

std::vector<CapacitorRecord> RecordsNamed(const std::vector<const char*>& names) {
    std::vector<CapacitorRecord> records(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        std::memset(&records[i], 0, sizeof records[i]);
        std::strncpy(records[i].partNumber, names[i], sizeof records[i].partNumber - 1);
    }
    return records;
}

// Names that are equal without regard to case but written differently must not separate two
// byte-identical names, or the duplicate check that looks at neighbours would miss them.
TEST(SortRecordIndex, KeepsByteIdenticalNamesNextToEachOther) {
    auto records = RecordsNamed({"QAKA106K010R", "qaka106k010r", "QAKA106K010R", "Qaka106k010r"});
    std::vector<CapacitorRecord*> index(records.size());
    SortRecordIndex(records.data(), index.data(), static_cast<std::uint32_t>(records.size()));
    const CapacitorRecord* duplicate = FindDuplicate(index.data(), 4);
    ASSERT_NE(duplicate, nullptr);
    EXPECT_STREQ(duplicate->partNumber, "QAKA106K010R");

    auto distinct = RecordsNamed({"QAKA106K010R", "qaka106k010r", "QAKA106k010R"});
    SortRecordIndex(distinct.data(), index.data(), 3);
    EXPECT_EQ(FindDuplicate(index.data(), 3), nullptr);
}

// Sorting and bisection need a consistent order also over series the table does not list.
TEST(SortRecordIndex, AgreesWithComparePartNumbersAndFindsEveryName) {
    std::vector<std::string> names;
    for (const char* series :
         {"QAK", "qak", "QZZ", "QYY", "XAB", "QCT", "qcz", "FAB", "QCR", "NZZ", "QCL", "TAB"}) {
        for (const char* rest : {"A106K010R", "B226M016R", "a475k035R"})
            names.push_back(std::string(series) + rest);
    }
    std::shuffle(names.begin(), names.end(), std::mt19937(7));
    std::vector<const char*> pointers;
    for (const std::string& name : names)
        pointers.push_back(name.c_str());
    auto records = RecordsNamed(pointers);
    const auto count = static_cast<std::uint32_t>(records.size());
    std::vector<CapacitorRecord*> index(count);
    SortRecordIndex(records.data(), index.data(), count);
    for (std::uint32_t i = 0; i < count; ++i) {
        for (std::uint32_t j = i + 1; j < count; ++j)
            EXPECT_LE(ComparePartNumbers(index[i]->partNumber, index[j]->partNumber), 0)
                << index[i]->partNumber << " before " << index[j]->partNumber;
    }
    for (const std::string& name : names) {
        const CapacitorRecord* found = FindInIndex(index.data(), count, name.c_str());
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(ComparePartNumbers(found->partNumber, name.c_str()), 0);
    }
    EXPECT_EQ(FindInIndex(index.data(), count, "QAKC106K010R"), nullptr);
    EXPECT_EQ(FindInIndex(index.data(), 0, "QAKA106K010R"), nullptr);
}

} // namespace
