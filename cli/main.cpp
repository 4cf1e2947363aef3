#include "CliSupport.h"
#include "DataFolders.h"
#include "NumberLocale.h"
#include "ResourceLibrary.h"
#include "Terminal.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

// Command entry points, each in its own file.
int RunCheckCommand(CCliSession& session, const CliArguments& arguments);
int RunListCommand(CCliSession& session, const CliArguments& arguments);
int RunDataCommand(CCliSession& session, const CliArguments& arguments);
int RunSparamsCommand(CCliSession& session, const CliArguments& arguments);
int RunModelCommand(CCliSession& session, const CliArguments& arguments);
int RunFindCommand(CCliSession& session, const CliArguments& arguments);
int RunBankCommand(CCliSession& session, const CliArguments& arguments);
int RunCompareCommand(CCliSession& session, const CliArguments& arguments);
int RunNetlistCommand(CCliSession& session, const CliArguments& arguments);
int RunPlotCommand(CCliSession& session, const CliArguments& arguments);
// A GUI application for plot, which draws with the graph view; a core one otherwise.
std::unique_ptr<QCoreApplication> CreateCliApplication(int& argc, char** argv);

namespace {

const CliCommand kCommands[] = {
    {"check", "", "load cap.vorn and vorncap.lib and print \"N capacitors, M models\"",
     RunCheckCommand},
    {"list",
     "[--technology N] [--series S] [--capacitance C] [--voltage V] [--case X] "
     "[--tolerance 10%|20%] [--esr E]",
     "set the selection dialog's filters as a user would, starting like the dialog on\n"
     "      technology \"Tantalum\": technology (item text or index 0-7), then series, "
     "tolerance,\n"
     "      capacitance, voltage, case, ESR, each by the item text shown; print the passing "
     "parts\n"
     "      (part number, capacitance, voltage, case; tab-separated), then each list as "
     "\"name:\" and\n"
     "      its items, the selected item marked \"* \", the others \"  \"; an item not "
     "offered is an error",
     RunListCommand},
    {"data", "PART [--temperature T] [--dcl-voltage PCT] [--dcl-temperature T]",
     "print the text of \"Copy Data to Clipboard\" at temperature T (default 25, limited to "
     "the part's\n      maximum) and the leakage conditions PCT (100, 80, 50, 30, 20) and T "
     "(-55, 0, 25, 85, 105, 125; 175 for QAW)",
     RunDataCommand},
    {"sparams", "PART OUTDIR [--temperature T] | --all OUTDIR [selection filters of list]",
     "write PARTser.s2p and PARTshu.s2p into OUTDIR; with --temperature computed at T (limited\n"
     "      to the part's maximum), opened by a comment naming part and temperature; with --all\n"
     "      for every part passing the filters (every technology unless --technology), in parallel",
     RunSparamsCommand},
    {"model", "PART", "print the equivalent circuit: its title and one line per element",
     RunModelCommand},
    {"find",
     "--max-impedance OHM --from HZ --to HZ [--temperature T] [--max-count N]\n"
     "      [--ripple-current A --at HZ] [--min-voltage V] [--one-per-model]\n"
     "      [selection filters of list] [--limit K] [--format text|csv|json]",
     "the parts, and the fewest n <= N (default 10) of each in parallel, whose |Z|/n stays at\n"
     "      or under OHM at every grid frequency from HZ to HZ at T (default 25); ranked by n,\n"
     "      then the worst |Z|/n, then part number. A limit on a grid label (1M) takes in that\n"
     "      grid point. --min-voltage keeps parts rated V or more; --one-per-model lists the\n"
     "      first of a model's tolerance variants only. Values take a prefix: 20m, 10k, 1M",
     RunFindCommand},
    {"bank",
     "--mask HZ:OHM,HZ:OHM,... [--from HZ --to HZ] [--temperature T] [--max-types K]\n"
     "      [--max-parts N] [--mount-inductance H] [--mount-inductance-case X=H,...]\n"
     "      [--mount-resistance OHM] [--vrm-resistance OHM --vrm-inductance H]\n"
     "      [selection filters of list] [--min-voltage V] [--limit L] [--format text|csv|json]\n"
     "      [--netlist FILE] [--time-limit S]",
     "the best banks of up to K (1-3, default 2) part types and N (default 8) parts in all,\n"
     "      each part behind its mounting inductance and resistance (per case where named,\n"
     "      default 0), in parallel with the converter's output R + L when given, whose |Z|\n"
     "      stays at or under the mask (corners joined straight on log-log axes, flat outside)\n"
     "      at every grid frequency of the band (default: the mask's first to last corner) at\n"
     "      T (default 25); ranked by parts, types, case area, then the worst margin, largest\n"
     "      first; the best L (default 10). --netlist writes the best bank as an ngspice deck;\n"
     "      a search longer than S seconds (default 60) stops and says how far it got",
     RunBankCommand},
    {"compare",
     "PART PART [PART...] [--temperature T] [--quantity impedance|esr|capacitance|df|\n"
     "      ripple-voltage|ripple-current] [--format csv|json]",
     "the quantity (default impedance) of every part over the frequency grid, one column per "
     "part",
     RunCompareCommand},
    {"netlist", "PART | --all OUTDIR [selection filters of list] [--temperature T]",
     "the part's SPICE sub-circuit for ngspice; with --temperature its values at T without\n"
     "      temperature coefficients; with --all one file PART.lib per part in OUTDIR",
     RunNetlistCommand},
    {"plot",
     "PART [PART...] --graph impedance|esr|capacitance|df|ripple-voltage|ripple-current|dcl\n"
     "      OUT.svg|OUT.pdf|OUT.png [--temperature T] [--size WxH]\n"
     "      | --bank \"N x PART + ...\" --mask HZ:OHM,... [bank's band, temperature, mounting\n"
     "      and converter options] OUT.svg|OUT.pdf|OUT.png [--size WxH]",
     "the graph view's drawing of one part as its graph window shows it, or of up to four\n"
     "      parts with one curve each (default size 800x600); with --bank \"N x PART + ...\" and\n"
     "      bank's --mask, band, temperature, mounting and converter options instead of parts:\n"
     "      the bank's |Z| over the band with the mask, dotted",
     RunPlotCommand},
};

void PrintUsage(std::FILE* out) {
    std::fputs("usage: zeltacli [--data DIR] COMMAND [ARGUMENTS]\n"
               "       zeltacli --help | --version\n"
               "  --data DIR  folder holding cap.vorn and vorncap.lib (default: the current "
               "folder if it\n"
               "              holds them, else the installed data: ../share/zeltaiii from the "
               "program,\n"
               "              then zeltaiii in $XDG_DATA_HOME and $XDG_DATA_DIRS)\n"
               "exit status: 0 success, 1 failure (the message is on standard error), 2 wrong "
               "command line\n"
               "commands:\n",
               out);
    for (const CliCommand& command : kCommands) {
        std::string line = std::string(command.name);
        if (command.arguments[0] != '\0')
            line += std::string(" ") + command.arguments;
        std::fprintf(out, "  %s\n      %s\n", line.c_str(), command.description);
    }
}

const CliCommand* FindCommand(const std::string& name) {
    for (const CliCommand& command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

int Run(int argc, char** argv) {
    std::string dataDirectory;
    bool haveDataDirectory = false;
    const CliCommand* command = nullptr;
    CliArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        // --data is accepted before or after the command name.
        if (word == "--data" || word.rfind("--data=", 0) == 0) {
            if (word == "--data") {
                if (i + 1 >= argc)
                    return UsageError("--data needs a folder");
                dataDirectory = argv[++i];
            } else {
                dataDirectory = word.substr(std::strlen("--data="));
            }
            // An empty folder is a slip of a script, not the current folder.
            if (dataDirectory.empty())
                return UsageError("--data needs a folder, not an empty text");
            haveDataDirectory = true;
        } else if (command == nullptr && (word == "--help" || word == "-h")) {
            PrintUsage(stdout);
            return FinishOutput();
        } else if (command == nullptr && word == "--version") {
            return PrintOutput("zeltacli %s\n", ZELTA_VERSION) ? FinishOutput() : kExitFailure;
        } else if (command == nullptr) {
            if (!word.empty() && word[0] == '-')
                return UsageError("unknown option " + word);
            command = FindCommand(word);
            if (command == nullptr)
                return UsageError("unknown command " + word);
        } else {
            arguments.push_back(word);
        }
    }
    if (command == nullptr)
        return UsageError("no command given");
    std::vector<std::string> searchFolders;
    if (!haveDataDirectory) {
        // The current folder first, then the installation's data folders.
        std::error_code error;
        dataDirectory = std::filesystem::current_path(error).string();
        if (error) {
            PrintError("Cannot determine the current folder: " + error.message());
            return kExitFailure;
        }
        searchFolders = DataFolders::ForThisProcess();
    }
    // The program's messages come from its resource library, found as the program finds it:
    // next to this executable first, then by the system's library search.
    CResourceLibrary library;
    if (library.Load() != 0) {
        PrintError(library.ErrorText().toStdString());
        return kExitFailure;
    }
    std::unique_ptr<CCliSession> session =
        searchFolders.empty() ? std::make_unique<CCliSession>(dataDirectory, library)
                              : std::make_unique<CCliSession>(searchFolders, library);
    const int status = command->run(*session, arguments);
    // What is still in the output buffer is written here; a failure there fails the command.
    // A command that stopped because the reader of its output went away has done its part.
    return status == kExitSuccess || OutputReaderGone() ? FinishOutput() : status;
}

} // namespace

int main(int argc, char** argv) {
    // The application object gives the library loader the program's own folder.
    const std::unique_ptr<QCoreApplication> application = CreateCliApplication(argc, argv);
    UseCNumberForm();         // files, texts and options use "12.5" in every locale
    IgnoreBrokenPipeSignal(); // a reader that stops early ends the output, not the process
    const int status = Run(argc, argv);
    if (status == kExitUsage)
        PrintUsage(stderr);
    return status;
}
