#pragma once

// Set at start-up when the resource library's language string reads "Japanese"; until then
// false. The printed page chooses its footer font by it.
extern bool g_japaneseUi;
