#include "ModelStrings.h"

const ModelStringEntry kModelStrings[] = {
    {kStrCannotWriteFile, "Cannot write file %s\n"},
};

const int kModelStringCount = sizeof kModelStrings / sizeof kModelStrings[0];
