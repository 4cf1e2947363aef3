#pragma once

#include <cstdio>

// True when `stream` is connected to a terminal (progress lines are shown only there).
bool IsTerminal(std::FILE* stream);

// Makes a write to a pipe whose reader has gone fail with EPIPE instead of ending the process
// by SIGPIPE, so that a command line tool can end in its own way.
void IgnoreBrokenPipeSignal();
