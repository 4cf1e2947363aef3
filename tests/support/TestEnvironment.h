#pragma once

#include <string>

// Every test binary runs in its own environment: the offscreen platform, and HOME and the
// XDG folders pointed at a fresh temporary folder, so no test reads or writes the user's
// settings and a bare `ctest` works on a machine without a display.
void InitTestEnvironment();

// The temporary home folder made by InitTestEnvironment.
const std::string& TestHome();

// Full path of a file under tests/fixtures.
std::string FixturePath(const std::string& relative);

// A fresh, empty folder under the temporary home.
std::string MakeTempDir(const std::string& prefix);

// Generates the locale de_DE.UTF-8 (decimal comma) with localedef into a fresh folder and
// returns that folder, for LOCPATH; empty when localedef is not installed. A localedef that
// is there but fails is a test failure.
std::string GenerateGermanLocale();
