#include "AtomicFile.h"
#include "BankCommand.h"
#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "GraphFile.h"
#include "GraphFill.h"
#include "GraphKind.h"
#include "GraphPainter.h"
#include "NumberText.h"
#include "PainterFill.h"
#include "PartQuantity.h"
#include "WorkingState.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// zeltacli plot: the graph view's own drawing of up to four parts, as SVG, PDF or PNG.

namespace {

constexpr int kMaxPlotParts = 4; // the view's four curves
constexpr int kMinPlotWidth = 200, kMinPlotHeight = 150, kMaxPlotSide = 10000;

enum class PlotFile { Svg, Pdf, Png };

bool EndsWith(const std::string& text, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != suffix[i])
            return false;
    }
    return true;
}

bool ReadPlotFile(const std::string& path, PlotFile* file) {
    if (EndsWith(path, ".svg"))
        *file = PlotFile::Svg;
    else if (EndsWith(path, ".pdf"))
        *file = PlotFile::Pdf;
    else if (EndsWith(path, ".png"))
        *file = PlotFile::Png;
    else
        return false;
    return true;
}

// "impedance" ... "ripple-current" by their quantity, "dcl" for the leakage current.
bool ReadGraphKind(const std::string& name, int* kind) {
    if (name == "dcl") {
        *kind = KindDCL;
        return true;
    }
    const FrequencyQuantity* quantity = FindFrequencyQuantity(name);
    if (quantity == nullptr)
        return false;
    *kind = quantity->graphKind;
    return true;
}

bool ReadSize(const std::string& text, int* width, int* height) {
    const size_t x = text.find_first_of("xX");
    double w = 0, h = 0;
    if (x == std::string::npos || !ReadOptionNumber(text.substr(0, x), &w) ||
        !ReadOptionNumber(text.substr(x + 1), &h))
        return false;
    if (w != static_cast<int>(w) || h != static_cast<int>(h) || w < kMinPlotWidth ||
        h < kMinPlotHeight || w > kMaxPlotSide || h > kMaxPlotSide)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// The fill of the graph window of `kind` for the first part; with several parts one curve per
// part at its temperature (the leakage graph: the typical curves).
GraphFill ComposePlotFill(int kind, const std::vector<std::unique_ptr<CWorkingState>>& states,
                          const IStringTable& strings) {
    GraphFill fill =
        ComposeGraphFill(static_cast<GraphKind>(kind), MakeFillSource(*states.front()), strings);
    if (states.size() == 1)
        return fill;
    const FrequencyQuantity* quantity = nullptr;
    for (const char* name :
         {"impedance", "esr", "capacitance", "df", "ripple-voltage", "ripple-current"}) {
        const FrequencyQuantity* q = FindFrequencyQuantity(name);
        if (q->graphKind == kind)
            quantity = q;
    }
    fill.referenceText.clear();
    for (size_t k = 0; k < 4; ++k) {
        fill.curves[k] = nullptr;
        fill.dotted[k] = false;
        fill.legendNames[k].clear();
    }
    for (size_t k = 0; k < states.size(); ++k) {
        const CWorkingState& s = *states[k];
        const std::string part = s.currentCapacitor->partNumber;
        if (quantity == nullptr) {
            fill.curves[k] = s.dclTypical;
            fill.legendNames[k] = part + " @(100% Vr, 25\xC2\xB0"
                                         "C)";
        } else {
            fill.curves[k] = quantity->curve(s);
            fill.legendNames[k] = part + " @" + RoundedNumber(s.selectedTemperature, 6) +
                                  "\xC2\xB0"
                                  "C";
        }
    }
    return fill;
}

// The impedance graph's texts with a bank's |Z| and its mask over the band.
GraphFill ComposeBankFill(const BankPlot& plot, const IStringTable& strings) {
    GraphFill fill = ComposeGraphFill(KindImpedance, GraphFillSource{}, strings);
    fill.count = static_cast<int>(plot.frequency.size());
    fill.x = plot.frequency.data();
    fill.curves[0] = plot.impedance.data();
    fill.curves[1] = plot.limit.data();
    fill.dotted[1] = true;
    // The bank's parts are the title: a legend that long would not fit a small drawing.
    fill.title = plot.title;
    fill.legendNames[0] = plot.legend;
    fill.legendNames[1] = "mask";
    fill.referenceText.clear();
    return fill;
}

// Draws `view` into `path` with the window's own picture routine. False when the file could
// not be made.
bool DrawPlot(CGraphPainter& view, PlotFile file, const QString& path, int width, int height) {
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const GraphPicture kind = file == PlotFile::Png   ? GraphPicture::Png
                              : file == PlotFile::Svg ? GraphPicture::Svg
                                                      : GraphPicture::Pdf;
    const bool drawn = WriteGraphPicture(view, kind, out, width, height);
    out.close();
    return drawn && out.error() == QFileDevice::NoError;
}

} // namespace

std::unique_ptr<QCoreApplication> CreateCliApplication(int& argc, char** argv) {
    // The command is the first word that is not --data and its folder.
    const char* command = nullptr;
    for (int i = 1; i < argc && command == nullptr; ++i) {
        if (std::strcmp(argv[i], "--data") == 0)
            ++i;
        else if (std::strncmp(argv[i], "--data=", 7) != 0)
            command = argv[i];
    }
    if (command == nullptr || std::strcmp(command, "plot") != 0)
        return std::make_unique<QCoreApplication>(argc, argv);
    // plot draws with the graph painter, which needs fonts: a GUI application that never shows
    // a window, so it needs no display. The toolkit's own notes about the session (no runtime
    // folder, missing fonts) are no concern of a drawing command; only its serious errors are
    // shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            PrintError(text.toStdString());
    });
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunPlotCommand(CCliSession& session, const CliArguments& allArguments) {
    // With --bank the bank's options are read first; plot reads what is left.
    BankPlot bankPlot;
    const bool bank =
        std::any_of(allArguments.begin(), allArguments.end(), [](const std::string& word) {
            return word == "--bank" || word.rfind("--bank=", 0) == 0;
        });
    CliArguments arguments = allArguments;
    if (bank) {
        arguments.clear();
        const int read = ReadBankPlotArguments(allArguments, bankPlot, arguments);
        if (read != kExitSuccess)
            return read;
    }
    std::vector<std::string> words;
    std::string graphText = bank ? "impedance" : "", temperatureText, sizeText = "800x600";
    bool graphGiven = bank, temperatureGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool missing = false;
        if (TakeOption(arguments, i, "--graph", &graphText, &missing))
            graphGiven = true;
        else if (TakeOption(arguments, i, "--temperature", &temperatureText, &missing))
            temperatureGiven = true;
        else if (TakeOption(arguments, i, "--size", &sizeText, &missing))
            ;
        else if (arguments[i].size() > 1 && arguments[i][0] == '-' && arguments[i][1] == '-')
            return UsageError("plot: unknown option " + arguments[i]);
        else
            words.push_back(arguments[i]);
        if (missing)
            return UsageError("plot: " + arguments[i] + " needs a value");
    }
    if (!graphGiven)
        return UsageError("plot needs --graph KIND");
    if (bank && (words.size() != 1 || graphText != "impedance"))
        return UsageError("plot --bank draws the impedance of the bank into one output file");
    if (!bank && words.size() < 2)
        return UsageError("plot needs a part number and an output file");
    if (words.size() > kMaxPlotParts + 1)
        return UsageError("plot draws up to four parts");
    const std::string output = words.back();
    words.pop_back();

    int kind = 0;
    if (!ReadGraphKind(graphText, &kind))
        return CommandFailure("--graph takes " + FrequencyQuantityNames() + " or dcl, not \"" +
                              graphText + "\"");
    PlotFile file = PlotFile::Png;
    if (!ReadPlotFile(output, &file))
        return CommandFailure("the output file " + output + " must end in .svg, .pdf or .png");
    double temperature = 25.0;
    if (temperatureGiven &&
        (!ReadOptionNumber(temperatureText, &temperature) || temperature < -55.0))
        return CommandFailure("--temperature takes degrees Celsius from -55 up, not \"" +
                              temperatureText + "\"");
    int width = 0, height = 0;
    if (!ReadSize(sizeText, &width, &height))
        return CommandFailure("--size takes WIDTHxHEIGHT from 200x150 to 10000x10000, not \"" +
                              sizeText + "\"");

    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;
    CGraphPainter view;
    std::vector<std::unique_ptr<CWorkingState>> states;
    if (bank) {
        const int computed = ComputeBankPlot(session, bankPlot);
        if (computed != kExitSuccess)
            return computed;
        ApplyGraphFill(view, ComposeBankFill(bankPlot, session.Strings()));
    }
    for (const std::string& partNumber : words) {
        const CapacitorRecord* record = session.FindPart(partNumber);
        if (record == nullptr)
            return kExitFailure;
        states.push_back(std::make_unique<CWorkingState>());
        ComputePart(*states.back(), record, temperature);
    }

    if (!bank)
        ApplyGraphFill(view, ComposePlotFill(kind, states, session.Strings()));

    // Drawn under a temporary name of its own and renamed, so the file never stands there half
    // made and two runs drawing the same file do not meet.
    CAtomicFile plot(output);
    if (!plot.Open())
        return CommandFailure("Cannot open file " + output + ": " + plot.ErrorText());
    if (!DrawPlot(view, file, QString::fromStdString(plot.WritingPath()), width, height))
        return CommandFailure("Cannot write file " + output);
    if (!plot.Commit())
        return CommandFailure("Cannot write file " + output + ": " + plot.ErrorText());
    return kExitSuccess;
}
