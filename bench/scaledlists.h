#pragma once

#include "resourceprovider.h"

namespace vorlan::bench {

// Record counts of the largest word lists the program is meant to carry.
inline constexpr int kLargeEnglishRecords = 52448;
inline constexpr int kLargePersianRecords = 80067;

// The size of a large list made from a built-in one of `builtIn` records: the
// size above, or half as large again as the built-in list once that comes
// within a third of it, so the large lists always stay above what the program
// carries.
int largeSize(int fixedSize, int builtIn);

// Word lists of the large sizes, made from the built-in headwords: every real
// headword plus two-word compounds of them, sorted and unique as the format
// requires, with real meanings. Deterministic. `englishRecords` and
// `persianRecords`, when given, receive the sizes made.
MemoryResourceProvider largeWordLists(int *englishRecords = nullptr, int *persianRecords = nullptr);

} // namespace vorlan::bench
