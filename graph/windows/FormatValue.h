#pragma once

#include <string>

// The graph view's engineering notation ("2.5 u"), reached through its own file so that
// callers need not include the axis header next to the computation's headers.
std::string FormatEngineering(double value);
