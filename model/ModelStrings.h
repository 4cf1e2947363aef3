#pragma once

// String-table ids this folder reports through IMessageSink, and their built-in English
// texts for the application's string table.
constexpr int kStrCannotOpenFile = 34004;  // "Cannot open file %s\n"
constexpr int kStrCannotWriteFile = 34053; // "Cannot write file %s\n"

struct ModelStringEntry {
    int id;
    const char* text;
};

extern const ModelStringEntry kModelStrings[];
extern const int kModelStringCount;
