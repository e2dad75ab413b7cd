#pragma once

#include "resourceprovider.h"

namespace vorlan::bench {

// Record counts of the largest word lists the program is meant to carry.
inline constexpr int kLargeEnglishRecords = 52448;
inline constexpr int kLargePersianRecords = 80067;

// Word lists of the large sizes, made from the built-in headwords: every real
// headword plus two-word compounds of them, sorted and unique as the format
// requires, with real meanings. Deterministic.
MemoryResourceProvider largeWordLists();

} // namespace vorlan::bench
