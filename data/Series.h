#pragma once

// The series table: every part number starts with a three-letter series code that fixes the
// part's family and its place in part-number order.

constexpr char kFamilyTantalum = 'T';
constexpr char kFamilyNiobiumOxide = 'N';
constexpr char kFamilyConformal = 'F'; // parts with their own part-number layout

// Rank in part-number order of the series `code` begins with (case-insensitive); every series
// that the table does not list shares rank 13.
int SeriesRank(const char* code);

// Family letter of a part number or library name: that of its series, or for a series the
// table does not list, its first character in upper case.
char FamilyOf(const char* partNumber);

// Part-number order is the order of (group, text without regard to case): this is the group,
// the series rank for families other than F and one group after all ranks for family F.
int PartNumberGroup(const char* partNumber);

// The part-number order: negative, 0 or positive. Parts of one series compare without regard
// to case, family F parts come last among themselves in text order, the others by series rank.
// Series that the table does not list are ordered by their text.
int ComparePartNumbers(const char* a, const char* b);
