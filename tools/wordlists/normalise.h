#pragma once

#include "lexicon.h"
#include "wordlistrules.h"

#include <QString>
#include <QStringView>

#include <optional>

// Bringing source text to the lists' forms before it enters the lexicon.
namespace vorlan::wordlists {

// A FA headword from a source's Persian text: the letter forms normalised,
// notes around the word gone ("شوپرك ]]", ": سبزآبي", "ذوب كردن: تبديل به
// مايع كردن", a phrasebook question mark). Nothing, counted in `report`, for
// letters outside the 34, lists, English or transliteration left in, affixes
// ("-ام", "يك -ي"), text not beginning with a Persian letter, or one longer
// than FA allows.
std::optional<QString> persianHeadword(QStringView raw, Report &report);

// The headword as it is typed without the joiners (ZWNJ) a source wrote,
// which FA reads as spaces: "پایان‌نامه" is پايان نامه, joined
// پاياننامه. Empty when the text has none.
QString joinedSpelling(QStringView raw);

// Persian text of a source in the lists' letter forms, known typos of the
// sources corrected (patches.cpp); nothing when it has letters outside the 34.
std::optional<QString> persianText(QStringView raw);

// The reviewed corrections of source typos, applied to whole words of text
// already in the lists' letter forms.
struct TypoPatch {
    QStringView wrong;
    QStringView right;
};
QList<TypoPatch> typoPatches();
QString correctTypos(QString persian);

// The reviewed corrections of whole lines of the 2015 list, found by
// headword, part of speech and the start of the gloss: the right part of
// speech, or none where the line is wrong today and is left out.
struct LinePatch {
    QStringView headword;
    QStringView pos;
    QStringView gloss;
    QStringView rightPos;
};
QList<LinePatch> linePatches();

// The reviewed corrections of pairs CLDR gets wrong: the Persian the
// English name should have, or none where the pair is left out.
struct PairPatch {
    QStringView english;
    QStringView wrong;
    QStringView right;
};
QList<PairPatch> pairPatches();
// The Persian of a source's pair as the patches leave it (in the lists'
// letter forms); empty when the pair is left out.
QString patchedPair(QStringView english, const QString &persian);

using wordlist::withoutNotes;

bool hasLatinLetter(QStringView s);

} // namespace vorlan::wordlists
