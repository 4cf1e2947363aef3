#pragma once

#include <string>

struct ProductRange;

// The host the shipped server settings point at.
constexpr const char* kUpdateHost = "update.vorn-components.example";

// Each writer produces its file byte for byte (CR LF line ends) and returns false with a
// message on stderr when the file cannot be written.
bool WriteCatalogue(const std::string& path, const ProductRange& range);
bool WriteLibrary(const std::string& path, const ProductRange& range);
bool WriteServerSettings(const std::string& path);
