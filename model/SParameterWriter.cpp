#include "SParameterWriter.h"

#include "AtomicFile.h"
#include "CapacitorRecord.h"
#include "FrequencyResponse.h"
#include "Messages.h"
#include "ModelVector.h"
#include "NumberLocale.h"
#include "NumberText.h"
#include "PartNumber.h"
#include "RippleLimits.h"
#include "SeriesRules.h"
#include "StringIds.h"

#include <cmath>
#include <complex>
#include <cstdio>

namespace {

const char kSeriesHeader[] = "! 2-port SERIES S-parameters, freq. 100Hz-100MHz\n"
                             "!                   ||\n"
                             "!   +----o S11 o----||----o S22 o----+\n"
                             "!   |               ||               | \n"
                             "!   Zi    Port 1          Port 2     Zo\n"
                             "!   |                                |\n"
                             "!   +----o S12 o----------o S21 o----+\n"
                             "!\n"
                             "# Hz S DB R 50\n"
                             "!Frequency[Hz] magS11[dB] angS11[deg] magS21[dB] angS21[deg] "
                             "magS12[dB] angS12[deg] magS22[dB] angS22[deg]\n";

const char kShuntHeader[] = "! 2-port SHUNT S-parameters, freq. 100Hz-100MHz\n"
                            "!   +----o S11 o----+----o S22 o----+\n"
                            "!   |               |               |\n"
                            "!   Zi   Port 1    ===    Port 2    Zo\n"
                            "!   |               |               |\n"
                            "!   +----o S12 o----+----o S21 o----+\n"
                            "!\n"
                            "# Hz S DB R 50\n"
                            "!Frequency[Hz] magS11[dB] angS11[deg] magS21[dB] angS21[deg] "
                            "magS12[dB] angS12[deg] magS22[dB] angS22[deg]\n";

constexpr double kZ0 = 50.0;
constexpr double kDegreesPerRadian = 57.29577950560105;

double Decibels(std::complex<double> s) {
    return 20.0 * std::log10(std::abs(s));
}

double Degrees(std::complex<double> s) {
    return std::atan2(s.imag(), s.real()) * kDegreesPerRadian;
}

int Fail(IMessageSink& sink, const IStringTable& table, int id, const std::string& path) {
    ReportMessage(sink, table, id, MessageIcon::Error, path.c_str());
    return -1;
}

} // namespace

const char* SParameterHeader(bool shunt) {
    return shunt ? kShuntHeader : kSeriesHeader;
}

double SParameterFrequency(int index) {
    return std::pow(10.0, 0.02 * (index % 50) + (index / 50) + 2);
}

int FormatSParameterLine(const CapacitorRecord& record, const ModelVector& vector, int index,
                         bool shunt, char* buffer, std::size_t size) {
    FrequencyPoint point{};
    point.frequency = SParameterFrequency(index);
    EvaluatePoint(record, point, vector, true);
    const std::complex<double> z(point.esr, point.reactance);
    std::complex<double> s11;
    std::complex<double> s21;
    if (shunt) {
        // D = 2Z + Z0; S11 = S22 = -Z0 / D; S21 = S12 = 2Z / D
        const std::complex<double> d = 2.0 * z + kZ0;
        s11 = -kZ0 / d;
        s21 = 2.0 * z / d;
    } else {
        // D = Z + 2 Z0; S11 = S22 = Z / D; S21 = S12 = 2 Z0 / D
        const std::complex<double> d = z + 2.0 * kZ0;
        s11 = z / d;
        s21 = 2.0 * kZ0 / d;
    }
    const CCNumberScope cNumbers; // "100.00", never "100,00"
    const double m11 = Decibels(s11);
    const double a11 = Degrees(s11);
    const double m21 = Decibels(s21);
    const double a21 = Degrees(s21);
    const int n =
        std::snprintf(buffer, size, "%.2f %.4lf %.4lf %.4lf %.4lf %.4lf %.4lf %.4lf %.4lf\n",
                      point.frequency, m11, a11, m21, a21, m21, a21, m11, a11);
    if (n < 0 || static_cast<std::size_t>(n) >= size)
        return -1;
    return n;
}

std::string SParameterFileName(const std::string& folder, const char* partNumber, bool shunt) {
    // An empty folder names the current one, never the root.
    std::string name = folder;
    if (!name.empty() && name.back() != '/')
        name += '/';
    name += partNumber;
    name += shunt ? "shu.s2p" : "ser.s2p";
    return name;
}

int WriteSParameterFile(const std::string& path, const CapacitorRecord& record, bool shunt,
                        IMessageSink& sink, const IStringTable& table) {
    // Written under a name of its own and renamed into place once complete: a simulator never
    // reads a cut-off sweep, and a failed write keeps the earlier file.
    CAtomicFile file(path);
    if (!file.Open())
        return Fail(sink, table, IDS_CANNOT_OPEN_FILE, path);

    bool ok = file.Write(std::string(SParameterHeader(shunt)));
    ModelVector vector;
    BuildModelVector(record, vector);
    char line[512];
    for (int c = 0; ok && c < kSParameterPoints; ++c) {
        const int n = FormatSParameterLine(record, vector, c, shunt, line, sizeof line);
        ok = n > 0 && file.Write(line, static_cast<std::size_t>(n));
    }
    if (!ok || !file.Commit()) {
        file.Discard();
        return Fail(sink, table, IDS_CANNOT_WRITE_FILE, path);
    }
    return 0;
}

int WriteSParameterFiles(const std::string& folder, const CapacitorRecord& record,
                         IMessageSink& sink, const IStringTable& table) {
    // A part number read from a catalogue ("../x106K016") must not lead out of the folder.
    if (!IsSafeInFileName(record.partNumber))
        return Fail(sink, table, IDS_CANNOT_OPEN_FILE,
                    SParameterFileName(folder, record.partNumber, false));
    if (WriteSParameterFile(SParameterFileName(folder, record.partNumber, false), record, false,
                            sink, table) != 0)
        return -1;
    return WriteSParameterFile(SParameterFileName(folder, record.partNumber, true), record, true,
                               sink, table);
}

double SParameterTemperature(const CapacitorRecord& record, double temperature) {
    if (SeriesIsExactly(record.series, "QCN"))
        return 25.0;
    const int limit = MaxTemperature(&record);
    return limit < temperature ? limit : temperature;
}

std::string SParameterTemperatureComment(const CapacitorRecord& record, double temperature) {
    return std::string("! ") + record.partNumber + " at " + RoundedNumber(temperature, 6) +
           " degC\n";
}

std::string SParameterText(const CapacitorRecord& record, const ModelVector& vector, bool shunt,
                           const std::string& comment) {
    std::string text = comment + SParameterHeader(shunt);
    char line[512];
    for (int c = 0; c < kSParameterPoints; ++c) {
        const int n = FormatSParameterLine(record, vector, c, shunt, line, sizeof line);
        if (n <= 0)
            return std::string();
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

void SParameterTextsAt(const CapacitorRecord& record, double temperature, std::string texts[2]) {
    const double shown = SParameterTemperature(record, temperature);
    ModelVector vector;
    BuildModelVector(record, vector);
    ScaleModelToTemperature(record, vector, shown);
    const std::string comment = SParameterTemperatureComment(record, shown);
    texts[0] = SParameterText(record, vector, false, comment);
    texts[1] = SParameterText(record, vector, true, comment);
}
