#include "Catalogue.h"

#include "PartNumber.h"
#include "RecordIndex.h"
#include "Series.h"
#include "StringIds.h"
#include "TextLines.h"
#include "ValueLimits.h"

#include <charconv>
#include <cstring>
#include <system_error>

namespace {

// True for a column that is written as a number but lies beyond the range of a double
// ("1e999"): not a placeholder that keeps the derived value, but a value the program cannot
// hold.
bool IsNumberOutOfRange(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    if (text.empty() || text[0] == '+' || text[0] == '-')
        return false;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc::result_out_of_range && stop == text.data() + text.size();
}

} // namespace

bool ParseCatalogueLine(const char* line, CapacitorRecord& record) {
    // Columns are read from the end of the part number on, so it has to start the line.
    if (IsBlank(line[0]) || line[0] == '\0')
        return false;
    const char* end = line;
    while (*end != '\0' && !IsBlank(*end))
        ++end;
    if (!DecodePartNumber(std::string_view(line, static_cast<size_t>(end - line)), record))
        return false;

    // Empty columns are not seen: the words that follow move up by one column.
    const CWords columns(end);
    int column = 0;
    const std::string_view libraryName = columns[column++];
    const std::string_view series = columns[column++];
    const std::string_view caseCode = columns[column++];
    if (record.family == kFamilyConformal)
        ++column; // the case column reads "<letter> <series>" there
    double* const numericFields[] = {&record.capacitance, &record.ratedVoltage, &record.dclMax,
                                     &record.dfMax, &record.esrMax};
    for (double* field : numericFields) {
        double value = 0.0;
        const std::string_view text = columns[column++];
        // A column that is missing or not a number (a dash placeholder) keeps the value
        // the part number gave.
        if (ParseNumber(text, value))
            *field = value;
        else if (IsNumberOutOfRange(text))
            return false;
    }

    if (series.size() == 3) {
        std::memcpy(record.series, series.data(), 3);
        record.series[3] = '\0';
        record.family = FamilyOf(record.series);
    }
    if (caseCode.size() == 1)
        record.caseCode = caseCode[0];
    if (libraryName.size() < kMinPartNumberLength || libraryName.size() > kMaxPartNumberLength)
        return false;
    // The columns are taken as the file gives them (a rated voltage of 0 from the digits
    // "000", a DF of -1); only a size no computation can hold would give graphs and texts of
    // infinities (Vr=inf V).
    for (const double* field : numericFields) {
        if (!IsUsableNumber(*field))
            return false;
    }
    std::memcpy(record.libraryName, libraryName.data(), libraryName.size());
    record.libraryName[libraryName.size()] = '\0';
    return true;
}

int ReadCatalogueFile(const char* path, CapacitorRecord* records, CapacitorRecord** index,
                      std::uint32_t& count, IMessageSink& sink, const IStringTable& strings) {
    if (records == nullptr)
        return 0;
    count = 0;
    CTextLineReader reader;
    if (!reader.Open(path)) {
        ReportMessage(sink, strings, IDS_CANNOT_OPEN_FILE, MessageIcon::Error, path);
        return -1;
    }

    std::uint32_t read = 0;
    for (;;) {
        const CTextLineReader::Result result = reader.Next();
        if (result == CTextLineReader::Result::EndOfFile)
            break;
        if (result == CTextLineReader::Result::ReadError) {
            ReportMessage(sink, strings, IDS_CANNOT_READ_FILE, MessageIcon::Error,
                          reader.LineNumber(), path);
            return -1;
        }
        if (IsIgnoredLine(reader.Line()))
            continue;
        if (!ParseCatalogueLine(reader.Line(), records[read])) {
            ReportMessage(sink, strings, IDS_FILE_FORMAT_ERROR, MessageIcon::Error, path,
                          reader.LineNumber());
            return -1;
        }
        if (++read == kMaxCapacitors) {
            ReportMessage(sink, strings, IDS_TOO_MANY_CAPACITORS, MessageIcon::Warning);
            break;
        }
    }
    reader.Close();

    count = read;
    SortRecordIndex(records, index, count);
    if (const CapacitorRecord* duplicate = FindDuplicate(index, count)) {
        ReportMessage(sink, strings, IDS_DUPLICATE_CAPACITOR, MessageIcon::Error, path,
                      duplicate->partNumber);
        return -1;
    }
    return 0;
}
