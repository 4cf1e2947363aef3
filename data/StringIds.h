#pragma once

// String-table ids of the loaders' messages.
enum StringId : int {
    IDS_CANNOT_OPEN_FILE = 34004,    // "Cannot open file %s\n"
    IDS_FILE_FORMAT_ERROR = 34005,   // "Error in file %s at line %i\n"
    IDS_TOO_MANY_CAPACITORS = 34006, // "The number of capacitors is limited to 10 000"
    IDS_CANNOT_READ_FILE = 34007,    // "Cannot read from file (line %i) %s \n"
    IDS_MISSING_MODEL = 34008,       // "Library %s does not contain model for capacitor %s"
    IDS_NOT_ENOUGH_MEMORY = 34009,   // "Not enough memory"
    IDS_CANNOT_WRITE_FILE = 34053,   // "Cannot write file %s\n"
    IDS_DUPLICATE_MODEL = 34056,     // "Library %s contains duplicate model %s"
    IDS_DUPLICATE_CAPACITOR = 34057, // "File %s contains duplicate capacitor %s"
    // "Cannot open file %s\nThe data files were looked for in:\n%s": the first place tried,
    // then every place tried, one per line.
    IDS_DATA_NOT_FOUND = 34190,
};
