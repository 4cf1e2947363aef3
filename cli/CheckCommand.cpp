#include "CliSupport.h"

#include <cstdio>

// zeltacli check: loads both data files as the program's start-up does.
int RunCheckCommand(CCliSession& session, const CliArguments& arguments) {
    if (!arguments.empty())
        return UsageError("check takes no arguments");
    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;
    return PrintOutput("%d capacitors, %u models\n", session.Store().GetCount(),
                       static_cast<unsigned>(session.Store().GetModelCount()))
               ? kExitSuccess
               : kExitFailure;
}
