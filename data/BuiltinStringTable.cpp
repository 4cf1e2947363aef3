#include "BuiltinStringTable.h"

#include "StringIds.h"

std::string BuiltinStringTable::GetString(int id) const {
    switch (id) {
    case IDS_CANNOT_OPEN_FILE:
        return "Cannot open file %s\n";
    case IDS_FILE_FORMAT_ERROR:
        return "Error in file %s at line %i\n";
    case IDS_TOO_MANY_CAPACITORS:
        return "The number of capacitors is limited to 10 000";
    case IDS_CANNOT_READ_FILE:
        return "Cannot read from file (line %i) %s \n";
    case IDS_MISSING_MODEL:
        return "Library %s does not contain model for capacitor %s";
    case IDS_NOT_ENOUGH_MEMORY:
        return "Not enough memory";
    case IDS_CANNOT_WRITE_FILE:
        return "Cannot write file %s\n";
    case IDS_DUPLICATE_MODEL:
        return "Library %s contains duplicate model %s";
    case IDS_DUPLICATE_CAPACITOR:
        return "File %s contains duplicate capacitor %s";
    default:
        return std::string();
    }
}
