// zelta_productgen: writes the shipped product data (cap.vorn, vorncap.lib, ZeltaIII.srv)
// into a folder. The output depends on nothing but this program, so a second run reproduces
// the committed files byte for byte.
//
//   zelta_productgen OUTDIR [--lists] [--curves PART...]
//
// --lists prints the part numbers of the two built-in temperature lists; --curves prints the
// named models' values at 120 Hz, 100 kHz, 1 MHz and 10 MHz.

#include "LadderDesign.h"
#include "ModelChecks.h"
#include "ProductRange.h"
#include "ProductWriters.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: zelta_productgen OUTDIR [--lists] [--curves PART...]\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool lists = false;
    std::vector<std::string> curves;
    for (int i = 2; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--lists") == 0) {
            lists = true;
        } else if (std::strcmp(arg, "--curves") == 0) {
            continue;
        } else if (arg[0] == '-') {
            std::fprintf(stderr, "zelta_productgen: unknown option %s\n", arg);
            return 2;
        } else {
            curves.push_back(arg);
        }
    }

    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "productgen: cannot create folder %s: %s\n", dir.c_str(),
                     error.message().c_str());
        return 1;
    }

    ProductRange range;
    if (!BuildProductRange(range))
        return 1;
    int failures = 0;
    for (ProductModel& m : range.models) {
        // A part whose |Z| bottoms out outside the resonance band is redesigned with its
        // roll-off moved: earlier settling for small high-ESR parts, a deeper roll-off for
        // large low-ESR parts.
        double rollOffScale = 1.0;
        bool converged = false;
        std::string problems;
        for (int attempt = 0; attempt < 6; ++attempt) {
            converged = DesignLadder(m, rollOffScale);
            SetCatalogueLimits(m);
            const ModelCheck check = CheckModel(m);
            problems = check.problems;
            if (check.impedanceMinimum > 5e7)
                rollOffScale *= 1.6;
            else if (check.impedanceMinimum < 1e5)
                rollOffScale /= 1.6;
            else
                break;
        }
        if (!converged)
            problems = "design did not converge" + (problems.empty() ? "" : "; " + problems);
        if (!problems.empty()) {
            std::fprintf(stderr, "%s: %s\n", m.name.c_str(), problems.c_str());
            ++failures;
        }
    }
    if (failures != 0) {
        std::fprintf(stderr, "productgen: %d models fail their checks; nothing written\n",
                     failures);
        return 1;
    }
    if (!WriteCatalogue(dir + "/cap.vorn", range) || !WriteLibrary(dir + "/vorncap.lib", range) ||
        !WriteServerSettings(dir + "/ZeltaIII.srv"))
        return 1;
    std::printf("%zu capacitors, %zu models written to %s\n", range.parts.size(),
                range.models.size(), dir.c_str());

    if (lists) {
        std::printf("QAW 200 degC:\n");
        for (const std::string& p : range.qaw200Parts)
            std::printf("    \"%s\",\n", p.c_str());
        std::printf("QCL 125 degC:\n");
        for (const std::string& p : range.qcl125Parts)
            std::printf("    \"%s\",\n", p.c_str());
    }
    for (const std::string& name : curves) {
        for (const ProductModel& m : range.models) {
            if (m.name == name)
                std::printf("%s\n", CurveSummary(m).c_str());
        }
    }
    return 0;
}
