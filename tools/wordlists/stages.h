#pragma once

#include "lexicon.h"

#include <QStringList>

// The stages after reading, in the order the converter runs them:
// merge, clean, add forms, write.
namespace vorlan::wordlists {

// Spellings of one English entry that differ only in case ("turkey",
// "Turkey") become one headword: the spelling with fewest capitals, a common
// word before a name or abbreviation.
void mergeCaseVariants(Lexicon &lexicon, Report &report);

// Orders every entry's senses as they are to be written and drops what must
// not be: the same sense twice, long explanations beside short equivalents.
void cleanSenses(Lexicon &lexicon, Report &report);

} // namespace vorlan::wordlists
