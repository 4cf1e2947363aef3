#include "FormatValue.h"

#include "Axis.h"

std::string FormatEngineering(double value) {
    return FormatSI(value);
}
