#pragma once

#include "lexicon.h"

#include <QStringList>
#include <QStringView>

// The stages after reading, in the order the converter runs them:
// merge, clean, add forms, write.
namespace vorlan::wordlists {

// Spellings of one English entry that differ only in case ("turkey",
// "Turkey") become one headword: the spelling with fewest capitals, a common
// word before a name. An acronym ("WHO") never merges into a common word
// ("who"): its senses leave the entry, since EN cannot hold both spellings.
void mergeCaseVariants(Lexicon &lexicon, Report &report);

// "WHO", "AIDS", "TV": two or more letters, all capitals.
bool isAcronym(QStringView spelling);

// Drops what must not be a sense and orders the rest as it is to be written:
// - a reversed gloss that describes rather than names ("Sixth of
//   something", "Directionally inside", "A male surname") is no English
//   headword's sense;
// - a Persian meaning holding English words or affix notation ("-ي") goes;
// - a reversal from deep in a long Persian entry (the fourth sense or later
//   of a part of speech with six or more) goes beside any other sense: such
//   lists run on into rare and classical senses of the Persian word, no
//   translation of the English one ("Cup of wine" → شاخ). Where they are
//   all the headword has and none is a noun ("Anymore" → دیگر) they stay;
// - archaic, obsolete, dialectal and historical senses go where the entry
//   has a current one;
// - a source's own senses come before reversed ones, wordnet and CLDR pairs
//   after the translation lists', proper names after common words, and the
//   part-of-speech groups in the order of their best sense;
// - the same sense twice, and long explanations beside short equivalents, go.
void cleanSenses(Lexicon &lexicon, Report &report);

// An English reversal key that is a description, not a word or phrase.
bool isDescription(QStringView english);

// A label that marks a sense as no longer or not generally current.
bool isDatedLabel(QStringView label);

// A label that marks a sense as rare ("rare", "uncommon").
bool isRareLabel(QStringView label);

// Persian text that can stand as a meaning: no English words outside its
// notes, no affix written with a hyphen.
bool isPersianMeaning(QStringView persian);

// A part of speech with this many senses is a long list; from its sense
// number kDeepSense (0-based) on, senses are not reversed.
inline constexpr int kLongSenseList = 6;
inline constexpr int kDeepSense = 3;

} // namespace vorlan::wordlists
