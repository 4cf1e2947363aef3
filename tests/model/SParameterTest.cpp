#include "EnglishStrings.h"
#include "FrequencyResponse.h"
#include "Messages.h"
#include "ModelFixtures.h"
#include "ModelVector.h"
#include "SParameterWriter.h"
#include "StringIds.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Strings = EnglishStrings;

struct Message {
    int id;
    MessageIcon icon;
    std::string text;
};

class Sink : public IMessageSink {
public:
    void ShowMessage(int stringId, MessageIcon icon, const std::string& text) override {
        messages.push_back({stringId, icon, text});
    }
    std::vector<Message> messages;
};

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct DataLine {
    double frequency;
    double column[8]; // dB and degrees of S11, S21, S12, S22
};

DataLine Parse(const std::string& line) {
    DataLine d{};
    std::istringstream in(line);
    in >> d.frequency;
    for (double& c : d.column)
        in >> c;
    EXPECT_FALSE(in.fail()) << line;
    return d;
}

std::complex<double> FromDbDegrees(double db, double degrees) {
    return std::polar(std::pow(10.0, db / 20.0), degrees / 57.29577950560105);
}

class SParameterFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempDir("s2p");
        record = ThreeStageRecord();
        ASSERT_EQ(WriteSParameterFiles(folder, record, sink, strings), 0);
        ASSERT_TRUE(sink.messages.empty());
        series = ReadLines(folder + "/QCRD567M004Rser.s2p");
        shunt = ReadLines(folder + "/QCRD567M004Rshu.s2p");
    }

    std::string folder;
    CapacitorRecord record;
    Strings strings;
    Sink sink;
    std::vector<std::string> series;
    std::vector<std::string> shunt;
};

TEST_F(SParameterFiles, HeadersAndFrequencyColumn) {
    const std::vector<std::string> seriesHeader = {
        "! 2-port SERIES S-parameters, freq. 100Hz-100MHz",
        "!                   ||",
        "!   +----o S11 o----||----o S22 o----+",
        "!   |               ||               | ",
        "!   Zi    Port 1          Port 2     Zo",
        "!   |                                |",
        "!   +----o S12 o----------o S21 o----+",
        "!",
        "# Hz S DB R 50",
        "!Frequency[Hz] magS11[dB] angS11[deg] magS21[dB] angS21[deg] magS12[dB] angS12[deg] "
        "magS22[dB] angS22[deg]",
    };
    const std::vector<std::string> shuntHeader = {
        "! 2-port SHUNT S-parameters, freq. 100Hz-100MHz",
        "!   +----o S11 o----+----o S22 o----+",
        "!   |               |               |",
        "!   Zi   Port 1    ===    Port 2    Zo",
        "!   |               |               |",
        "!   +----o S12 o----+----o S21 o----+",
        "!",
        "# Hz S DB R 50",
        seriesHeader.back(),
    };
    ASSERT_EQ(series.size(), seriesHeader.size() + 301u);
    ASSERT_EQ(shunt.size(), shuntHeader.size() + 301u);
    for (size_t i = 0; i < seriesHeader.size(); ++i)
        EXPECT_EQ(series[i], seriesHeader[i]) << "series header line " << i + 1;
    for (size_t i = 0; i < shuntHeader.size(); ++i)
        EXPECT_EQ(shunt[i], shuntHeader[i]) << "shunt header line " << i + 1;

    for (const auto* file : {&series, &shunt}) {
        const size_t first = file->size() - 301;
        EXPECT_EQ((*file)[first].rfind("100.00 ", 0), 0u);
        EXPECT_EQ((*file)[first + 50].rfind("1000.00 ", 0), 0u);
        EXPECT_EQ((*file)[first + 100].rfind("10000.00 ", 0), 0u);
        EXPECT_EQ(file->back().rfind("100000000.00 ", 0), 0u);
    }
    // Line feeds only.
    EXPECT_EQ(ReadAll(folder + "/QCRD567M004Rser.s2p").find('\r'), std::string::npos);
}

TEST_F(SParameterFiles, ReciprocalAndSymmetric) {
    for (const auto* file : {&series, &shunt}) {
        for (size_t i = file->size() - 301; i < file->size(); ++i) {
            const DataLine d = Parse((*file)[i]);
            ASSERT_EQ(d.column[0], d.column[6]) << (*file)[i]; // |S11| = |S22|
            ASSERT_EQ(d.column[1], d.column[7]) << (*file)[i];
            ASSERT_EQ(d.column[2], d.column[4]) << (*file)[i]; // S21 = S12
            ASSERT_EQ(d.column[3], d.column[5]) << (*file)[i];
        }
    }
}

// Reading S21 back gives the engine's impedance within what four decimals of dB and
// degrees can carry: series Z = 2 Z0 / S21 - 2 Z0, shunt Z = Z0 S21 / (2 (1 - S21)).
TEST_F(SParameterFiles, RoundTripGivesBackTheImpedance) {
    ModelVector v;
    BuildModelVector(record, v);
    // half a unit of the last printed digit: 5e-5 dB and 5e-5 degrees
    const double relative = 5e-5 * std::log(10.0) / 20.0 + 5e-5 / 57.29577950560105;
    for (int c = 0; c < kSParameterPoints; ++c) {
        const DataLine ds = Parse(series[10 + c]);
        const DataLine dh = Parse(shunt[9 + c]);
        FrequencyPoint p{};
        p.frequency = SParameterFrequency(c);
        EvaluatePoint(record, p, v, true);
        const std::complex<double> z(p.esr, p.reactance);

        const std::complex<double> s21 = FromDbDegrees(ds.column[2], ds.column[3]);
        const std::complex<double> zSeries = 100.0 / s21 - 100.0;
        // dZ = 2 Z0 / S21 * dS/S
        const double tolSeries = 2.0 * std::abs(100.0 / s21) * relative + 1e-12;
        EXPECT_LE(std::abs(zSeries - z), tolSeries) << "series, " << p.frequency << " Hz";

        const std::complex<double> h21 = FromDbDegrees(dh.column[2], dh.column[3]);
        const std::complex<double> zShunt = 50.0 * h21 / (2.0 * (1.0 - h21));
        // dZ = Z0 / (2 (1 - S21)^2) dS
        const double tolShunt =
            2.0 * 50.0 * std::abs(h21) / (2.0 * std::norm(1.0 - h21)) * relative + 1e-12;
        EXPECT_LE(std::abs(zShunt - z), tolShunt) << "shunt, " << p.frequency << " Hz";
    }
}

TEST(SParameterFileName, AddsTheSeparatorOnlyWhenMissing) {
    EXPECT_EQ(SParameterFileName("/tmp/out", "QAKA105K010R", false),
              "/tmp/out/QAKA105K010Rser.s2p");
    EXPECT_EQ(SParameterFileName("/tmp/out/", "QAKA105K010R", true),
              "/tmp/out/QAKA105K010Rshu.s2p");
    EXPECT_EQ(SParameterFileName("/", "QAKA105K010R", true), "/QAKA105K010Rshu.s2p");
    EXPECT_EQ(SParameterFileName("", "QAKA105K010R", true), "QAKA105K010Rshu.s2p");
}

TEST(SParameterErrors, MissingFolderReportsCannotOpenAndWritesNothing) {
    Strings strings;
    Sink sink;
    const std::string folder = MakeTempDir("s2p-missing") + "/nowhere";
    EXPECT_EQ(WriteSParameterFiles(folder, SixStageRecord(), sink, strings), -1);
    ASSERT_EQ(sink.messages.size(), 1u); // the shunt file is not attempted
    EXPECT_EQ(sink.messages[0].id, IDS_CANNOT_OPEN_FILE);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sink.messages[0].text, "Cannot open file " + folder + "/QAKA105K010Rser.s2p\n");
}

// A write that fails only when the buffered data is flushed (a full disk) is a failure,
// not a success.
TEST(SParameterErrors, FullDeviceReportsCannotWrite) {
    std::ofstream probe("/dev/full");
    if (!probe)
        GTEST_SKIP() << "/dev/full is not available";
    Strings strings;
    Sink sink;
    EXPECT_EQ(WriteSParameterFile("/dev/full", SixStageRecord(), false, sink, strings), -1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].id, IDS_CANNOT_WRITE_FILE);
    EXPECT_EQ(sink.messages[0].text, "Cannot write file /dev/full\n");
}

TEST(SParameterErrors, ShuntFailureKeepsTheCompleteSeriesFile) {
    Strings strings;
    Sink sink;
    const std::string folder = MakeTempDir("s2p-shunt");
    ASSERT_EQ(mkdir((folder + "/QAKA105K010Rshu.s2p").c_str(), 0700), 0); // in the way
    EXPECT_EQ(WriteSParameterFiles(folder, SixStageRecord(), sink, strings), -1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].id, IDS_CANNOT_OPEN_FILE);
    EXPECT_EQ(ReadLines(folder + "/QAKA105K010Rser.s2p").size(), 311u);
}

} // namespace

namespace {

// A part number from a catalogue is used as a file name only when it stays in the folder.
TEST(SParameterErrors, PartNumberLeavingTheFolderWritesNothing) {
    Strings strings;
    const std::string parent = MakeTempDir("s2p-escape");
    const std::string folder = parent + "/inner";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    for (const char* partNumber : {"../QAKA105K010R", "QAKA/105K010R", "..QAKA105K010R"}) {
        CapacitorRecord record = SixStageRecord();
        std::snprintf(record.partNumber, sizeof record.partNumber, "%s", partNumber);
        Sink sink;
        EXPECT_EQ(WriteSParameterFiles(folder, record, sink, strings), -1) << partNumber;
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].id, IDS_CANNOT_OPEN_FILE);
    }
    EXPECT_FALSE(std::ifstream(parent + "/QAKA105K010Rser.s2p").good());
    EXPECT_FALSE(std::ifstream(folder + "/..QAKA105K010Rser.s2p").good());
}

} // namespace
