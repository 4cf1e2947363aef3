#pragma once

#include <cstdio>

// True when `stream` is connected to a terminal (progress lines are shown only there).
bool IsTerminal(std::FILE* stream);
