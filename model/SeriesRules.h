#pragma once

// Series codes are three letters. Most rules compare them without regard to case; a few
// compare them exactly, terminating zero included.

// True when `series` is `code` (three letters), compared without regard to case.
bool SeriesIs(const char* series, const char* code);

// True when `series` is exactly `code`, terminating zero included.
bool SeriesIsExactly(const char* series, const char* code);

// The family letter of a series: 'T', 'N' or 'F' for the known series, otherwise the
// series' first character in upper case.
char FamilyOfSeries(const char* series);
