#include "ModelLibrary.h"

#include "PartNumber.h"
#include "RecordIndex.h"
#include "Series.h"
#include "StringIds.h"
#include "TextLines.h"
#include "ValueLimits.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

struct Element {
    const char* name;
    int node1;
    int node2;
    bool capacitor;
    int stage; // index into ladderR / ladderC
};

// RC elements after Dp, in the order the sub-circuit lists them.
constexpr Element kSixStageLadder[] = {
    {"R1", 2, 3, false, 0}, {"C1", 2, 3, true, 0}, {"R2", 3, 4, false, 1}, {"C2", 4, 9, true, 1},
    {"R3", 4, 5, false, 2}, {"C3", 5, 9, true, 2}, {"R4", 5, 6, false, 3}, {"C4", 6, 9, true, 3},
    {"R5", 6, 7, false, 4}, {"C5", 7, 9, true, 4}, {"R6", 7, 8, false, 5}, {"C6", 8, 9, true, 5},
};
constexpr Element kFourStages[] = {
    {"R1", 2, 3, false, 0}, {"C1", 3, 4, true, 0}, {"R2", 3, 4, false, 1}, {"C2", 4, 5, true, 1},
    {"R3", 4, 5, false, 2}, {"C3", 5, 9, true, 2}, {"R4", 5, 6, false, 3}, {"C4", 6, 9, true, 3},
};
constexpr Element kThreeStages[] = {
    {"R1", 2, 3, false, 0}, {"C1", 3, 4, true, 0},  {"R2", 3, 4, false, 1},
    {"C2", 4, 9, true, 1},  {"R3", 4, 5, false, 2}, {"C3", 5, 9, true, 2},
};

struct ParallelElement {
    const char* name;
    int node1;
    int node2;
    double CapacitorRecord::*field;
    bool inductance;
};
constexpr ParallelElement kParallelBranch[] = {
    {"C_P", 2, 6, &CapacitorRecord::cP, false},
    {"L_P", 6, 9, &CapacitorRecord::lP, true},
    {"R_P", 6, 9, &CapacitorRecord::rP, false},
};

constexpr const char* kCapacitorModels[] = {"CMOD1", "CMOD2", "CMOD3", "CMOD4", "CMOD5", "CMOD6"};
constexpr const char* kResistorModels[] = {"RMOD1", "RMOD2", "RMOD3", "RMOD4", "RMOD5", "RMOD6"};

struct ShapeLayout {
    const Element* elements;
    int elementCount;
    int stages;
    bool parallelBranch;
};

ShapeLayout LayoutOf(NetworkShape shape) {
    switch (shape) {
    case NetworkShape::FourStages:
        return {kFourStages, 8, 4, false};
    case NetworkShape::ThreeStagesParallel:
        return {kThreeStages, 6, 3, true};
    case NetworkShape::SixStageLadder:
        break;
    }
    return {kSixStageLadder, 12, 6, false};
}

// Node words are compared as text, as SPICE does: "02" is not node 2.
bool IsNode(std::string_view word, int node) {
    unsigned value = 0;
    return ParseDigits(word, value) && static_cast<int>(value) == node &&
           (word.size() == 1 || word[0] != '0');
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

// "<name> <node1> <node2> <value>" with exactly four words (Lesl, Rels, Rp). The value has to
// be a physical one: an inductance may be 0 (a short), a resistance must be above 0.
bool ReadTwoNodeValue(const char* line, const char* name, int node1, int node2, bool inductance,
                      double& value) {
    const CWords words(line);
    double read = 0.0;
    if (words.Count() != 4 || !EqualsNoCase(words[0], name) || !IsNode(words[1], node1) ||
        !IsNode(words[2], node2) || !ParseNumber(words[3], read) ||
        !(inductance ? IsPositiveOrZeroValue(read) : IsPositiveValue(read)))
        return false;
    value = read;
    return true;
}

bool IsSubcktLine(const CWords& words) {
    return words.Count() == 4 && EqualsNoCase(words[0], ".SUBCKT") &&
           words[1].size() >= kMinPartNumberLength && words[1].size() <= kMaxPartNumberLength &&
           IsNode(words[2], 1) && IsNode(words[3], 9);
}

bool IsDiodeLine(const char* line) {
    const CWords words(line);
    return words.Count() == 8 && EqualsNoCase(words[0], ".MODEL") &&
           EqualsNoCase(words[1], "DFWD") && EqualsNoCase(words[2], "D") &&
           EqualsNoCase(words[3], "(RS=0.1") && EqualsNoCase(words[6], "XTI=0") &&
           EqualsNoCase(words[7], "EG=0.1)");
}

bool IsEndsLine(const char* line) {
    const CWords words(line);
    return words.Count() == 1 && EqualsNoCase(words[0], ".ENDS");
}

// The line numbers of one model's CMOD1..CMOD6 (0..5) and RMOD1..RMOD6 (6..11) lines: where a
// coefficient that fails for one of the model's parts is reported.
using ModelLines = std::array<int, 12>;

// Reads the library's lines one block at a time.
class CBlockReader {
public:
    CBlockReader(ModelTables& tables, std::vector<ModelLines>& modelLines)
        : m_tables(tables), m_modelLines(modelLines) {}

    enum class Outcome { Accepted, Mismatch, TableFull };
    Outcome Accept(const char* line, int lineNumber);

    // True while a block still lacks one of its element or model lines. Only the diode
    // model and ".ENDS" may be missing when the file ends: a model cut off before them would
    // hold values the computation cannot use.
    bool LacksRequiredLines() const {
        return m_phase != Phase::Outside && m_phase != Phase::DiodeOrEnds && m_phase != Phase::Ends;
    }

private:
    enum class Phase {
        Outside,
        Lesl,
        Rels,
        Rp,
        Dp,
        Elements,
        Parallel,
        CapacitorModels,
        ResistorModels,
        DiodeOrEnds,
        Ends
    };

    Outcome StartBlock(const char* line);
    bool AcceptInBlock(const char* line);
    void Advance(Phase next) {
        m_phase = next;
        m_item = 0;
    }

    ModelTables& m_tables;
    std::vector<ModelLines>& m_modelLines; // by position in the model table
    int m_lineNumber = 0;
    Phase m_phase = Phase::Outside;
    int m_item = 0;
    CapacitorRecord* m_record = nullptr;
    ShapeLayout m_layout = LayoutOf(NetworkShape::SixStageLadder);
};

CBlockReader::Outcome CBlockReader::Accept(const char* line, int lineNumber) {
    m_lineNumber = lineNumber;
    if (m_phase == Phase::Outside)
        return StartBlock(line);
    return AcceptInBlock(line) ? Outcome::Accepted : Outcome::Mismatch;
}

CBlockReader::Outcome CBlockReader::StartBlock(const char* line) {
    const CWords words(line);
    if (!IsSubcktLine(words))
        return Outcome::Mismatch;
    if (m_tables.modelCount >= kMaxModels)
        return Outcome::TableFull;
    m_record = &m_tables.models[m_tables.modelCount];
    InitModelRecord(m_record);
    std::memcpy(m_record->partNumber, words[1].data(), words[1].size());
    m_record->partNumber[words[1].size()] = '\0';
    m_layout = LayoutOf(ShapeOfSeries(m_record->partNumber));
    m_modelLines.resize(m_tables.modelCount + 1);
    m_modelLines[m_tables.modelCount].fill(0);
    ++m_tables.modelCount;
    Advance(Phase::Lesl);
    return Outcome::Accepted;
}

bool CBlockReader::AcceptInBlock(const char* line) {
    CapacitorRecord& r = *m_record;
    switch (m_phase) {
    case Phase::Outside:
        return false;
    case Phase::Lesl:
        if (!ReadTwoNodeValue(line, "Lesl", 1, 2, true, r.lesl))
            return false;
        Advance(Phase::Rels);
        return true;
    case Phase::Rels:
        if (!ReadTwoNodeValue(line, "Rels", 1, 2, false, r.rels))
            return false;
        Advance(Phase::Rp);
        return true;
    case Phase::Rp:
        if (!ReadTwoNodeValue(line, "Rp", 2, 9, false, r.rp))
            return false;
        Advance(Phase::Dp);
        return true;
    case Phase::Dp: {
        const CWords words(line);
        if (words.Count() != 4 || !EqualsNoCase(words[0], "Dp") || !IsNode(words[1], 9) ||
            !IsNode(words[2], 2))
            return false;
        Advance(Phase::Elements);
        return true;
    }
    case Phase::Elements: {
        const Element& e = m_layout.elements[m_item];
        const char* model = e.capacitor ? kCapacitorModels[e.stage] : kResistorModels[e.stage];
        if (ReadElementLine(line, e.name, e.node1, e.node2, model, e.capacitor, &r, e.stage) != 0)
            return false;
        if (++m_item == m_layout.elementCount)
            Advance(m_layout.parallelBranch ? Phase::Parallel : Phase::CapacitorModels);
        return true;
    }
    case Phase::Parallel: {
        const ParallelElement& e = kParallelBranch[m_item];
        const CWords words(line);
        double value = 0.0;
        // Words after the value (SPICE options) are allowed and ignored.
        if (words.Count() < 4 || !EqualsNoCase(words[0], e.name) || !IsNode(words[1], e.node1) ||
            !IsNode(words[2], e.node2) || !ParseNumber(words[3], value) ||
            !(e.inductance ? IsPositiveOrZeroValue(value) : IsPositiveValue(value)))
            return false;
        r.*e.field = value;
        if (++m_item == 3)
            Advance(Phase::CapacitorModels);
        return true;
    }
    case Phase::CapacitorModels:
        if (ReadModelLine(line, kCapacitorModels[m_item], "CAP", true, &r, m_item) != 0)
            return false;
        m_modelLines[static_cast<size_t>(m_record - m_tables.models)][m_item] = m_lineNumber;
        if (++m_item == m_layout.stages)
            Advance(Phase::ResistorModels);
        return true;
    case Phase::ResistorModels:
        if (ReadModelLine(line, kResistorModels[m_item], "RES", false, &r, m_item) != 0)
            return false;
        m_modelLines[static_cast<size_t>(m_record - m_tables.models)][6 + m_item] = m_lineNumber;
        if (++m_item == m_layout.stages)
            Advance(Phase::DiodeOrEnds);
        return true;
    case Phase::DiodeOrEnds:
        if (IsDiodeLine(line)) {
            Advance(Phase::Ends);
            return true;
        }
        [[fallthrough]];
    case Phase::Ends:
        if (!IsEndsLine(line))
            return false;
        Advance(Phase::Outside);
        m_record = nullptr;
        return true;
    }
    return false;
}

} // namespace

NetworkShape ShapeOfSeries(const char* name) {
    if (EqualsNoCase(std::string_view(name, strnlen(name, 3)), "QCL") ||
        EqualsNoCase(std::string_view(name, strnlen(name, 3)), "QCM"))
        return NetworkShape::FourStages;
    if (EqualsNoCase(std::string_view(name, strnlen(name, 3)), "QCR"))
        return NetworkShape::ThreeStagesParallel;
    return NetworkShape::SixStageLadder;
}

int ReadElementLine(const char* line, const char* element, int node1, int node2, const char* model,
                    bool isCapacitor, CapacitorRecord* record, int stage) {
    if (record == nullptr || stage < 0 || stage >= 6)
        return 1;
    const CWords words(line);
    double value = 0.0;
    if (words.Count() != 5 || !EqualsNoCase(words[0], element) || !IsNode(words[1], node1) ||
        !IsNode(words[2], node2) || !EqualsNoCase(words[3], model) ||
        !ParseNumber(words[4], value) ||
        !(isCapacitor ? IsPositiveOrZeroValue(value) : IsPositiveValue(value)))
        return 1;
    (isCapacitor ? record->ladderC : record->ladderR)[stage] = value;
    return 0;
}

int ReadModelLine(const char* line, const char* model, const char* type, bool isCapacitor,
                  CapacitorRecord* record, int stage) {
    if (record == nullptr || stage < 0 || stage >= 6)
        return 1;
    const CWords words(line);
    if (words.Count() != 6 || words[0] != ".MODEL" || words[1] != model || words[2] != type)
        return 1;
    std::string_view measured = words[3];
    std::string_view tc1Text = words[4];
    std::string_view tc2Text = words[5];
    if (!StartsWith(measured, "(T_MEASURED=") || !StartsWith(tc1Text, "TC1=") ||
        !StartsWith(tc2Text, "TC2=") || tc2Text.back() != ')')
        return 1;
    measured.remove_prefix(12);
    tc1Text.remove_prefix(4);
    tc2Text.remove_prefix(4);
    tc2Text.remove_suffix(1);
    double tMeasured = 0.0;
    double tc1 = 0.0;
    double tc2 = 0.0;
    // Every model is measured at 25 °C; the temperature scaling assumes it.
    if (!ParseNumber(measured, tMeasured) || tMeasured != 25.0 || !ParseNumber(tc1Text, tc1) ||
        !ParseNumber(tc2Text, tc2))
        return 1;
    // Whether the scaled element stays usable depends on the temperatures of the parts that
    // use the model; the join checks it.
    TempCoefficients& tc = (isCapacitor ? record->ladderCTc : record->ladderRTc)[stage];
    tc.tc1 = tc1;
    tc.tc2 = tc2;
    record->tMeasured = tMeasured;
    return 0;
}

int UnusableModelStage(const CapacitorRecord& model, PartTemperatures range) {
    const int stages = LayoutOf(ShapeOfSeries(model.partNumber)).stages;
    for (int k = 0; k < stages; ++k) {
        const TempCoefficients& c = model.ladderCTc[k];
        if (!CapacitanceStaysPositive(model.ladderC[k], c.tc1, c.tc2, model.tMeasured, range.lowest,
                                      range.highest))
            return k;
    }
    for (int k = 0; k < stages; ++k) {
        const TempCoefficients& c = model.ladderRTc[k];
        if (!ResistanceStaysPositive(model.ladderR[k], c.tc1, c.tc2, model.tMeasured, range.lowest,
                                     range.highest))
            return 6 + k;
    }
    return -1;
}

void CopyModelValues(const CapacitorRecord& model, CapacitorRecord& record) {
    record.lesl = model.lesl;
    record.rels = model.rels;
    record.rp = model.rp;
    for (int i = 0; i < 6; ++i) {
        record.ladderR[i] = model.ladderR[i];
        record.ladderC[i] = model.ladderC[i];
        record.ladderRTc[i] = model.ladderRTc[i];
        record.ladderCTc[i] = model.ladderCTc[i];
    }
    record.tMeasured = model.tMeasured;
    record.cP = model.cP;
    record.lP = model.lP;
    record.rP = model.rP;
}

int ReadModelLibraryFile(const char* path, ModelTables& tables, IMessageSink& sink,
                         const IStringTable& strings) {
    CTextLineReader reader;
    if (!reader.Open(path)) {
        ReportMessage(sink, strings, IDS_CANNOT_OPEN_FILE, MessageIcon::Error, path);
        return -1;
    }
    std::vector<ModelLines> modelLines(tables.modelCount);
    CBlockReader blocks(tables, modelLines);
    for (;;) {
        const CTextLineReader::Result result = reader.Next();
        if (result == CTextLineReader::Result::EndOfFile) {
            if (blocks.LacksRequiredLines()) {
                // A file cut short inside a block: the error is at its last line.
                ReportMessage(sink, strings, IDS_FILE_FORMAT_ERROR, MessageIcon::Error, path,
                              reader.LineNumber() - 1);
                return -1;
            }
            break;
        }
        if (result == CTextLineReader::Result::ReadError) {
            ReportMessage(sink, strings, IDS_CANNOT_READ_FILE, MessageIcon::Error,
                          reader.LineNumber(), path);
            return -1;
        }
        if (IsIgnoredLine(reader.Line()))
            continue;
        // A sub-circuit that does not fit the full table is a format error at its first line;
        // nothing is written past the table.
        if (blocks.Accept(reader.Line(), reader.LineNumber()) != CBlockReader::Outcome::Accepted) {
            ReportMessage(sink, strings, IDS_FILE_FORMAT_ERROR, MessageIcon::Error, path,
                          reader.LineNumber());
            return -1;
        }
    }
    reader.Close();

    SortRecordIndex(tables.models, tables.modelIndex, tables.modelCount);
    if (const CapacitorRecord* duplicate = FindDuplicate(tables.modelIndex, tables.modelCount)) {
        ReportMessage(sink, strings, IDS_DUPLICATE_MODEL, MessageIcon::Error, path,
                      duplicate->partNumber);
        return -1;
    }

    for (std::uint32_t i = 0; i < tables.catalogueCount; ++i) {
        CapacitorRecord& record = *tables.catalogue[i];
        // Parts of both tolerances share the model named with K.
        const int tolerancePosition = FamilyOf(record.libraryName) == kFamilyConformal ? 8 : 7;
        record.libraryName[tolerancePosition] = 'K';
        const CapacitorRecord* model =
            FindInIndex(tables.modelIndex, tables.modelCount, record.libraryName);
        if (model == nullptr) {
            char shown[sizeof record.partNumber];
            std::memcpy(shown, record.partNumber, sizeof shown);
            shown[tolerancePosition] = '*';
            ReportMessage(sink, strings, IDS_MISSING_MODEL, MessageIcon::Error, path, shown);
            return -1;
        }
        // The model is computed at the temperatures this part is shown at; its scaled
        // elements have to stay usable there. The fault is the coefficient's model line.
        const PartTemperatures range =
            tables.partTemperatures != nullptr
                ? tables.partTemperatures(record)
                : PartTemperatures{kLowestModelTemperature, kHighestModelTemperature};
        const int stage = UnusableModelStage(*model, range);
        if (stage >= 0) {
            const ModelLines& lines = modelLines[static_cast<size_t>(model - tables.models)];
            ReportMessage(sink, strings, IDS_FILE_FORMAT_ERROR, MessageIcon::Error, path,
                          lines[static_cast<size_t>(stage)]);
            return -1;
        }
        CopyModelValues(*model, record);
    }
    return 0;
}
