#include "JapaneseUi.h"

bool g_japaneseUi = false;
