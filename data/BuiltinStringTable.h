#pragma once

#include "Messages.h"

// The English texts of the loaders' messages, for programs that run without the resource
// library (zeltacli, the tests) and until the resource library has been loaded.
class BuiltinStringTable : public IStringTable {
public:
    std::string GetString(int id) const override;
};
