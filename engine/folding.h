#pragma once

#include <QString>
#include <QStringView>

namespace vorlan {

// Code 254 of Windows-1256, the Persian ANSI code page: RIGHT-TO-LEFT MARK.
inline constexpr char16_t kAnsiCode254 = u'\u200F';

// The letter folding that brings typed text to the letter forms of the word
// lists, without lower-casing, in this order: '?' to U+061F (so '?' is never a
// wildcard), keheh U+06A9 to kaf U+0643, alef maksura U+0649 to yeh U+064A
// plus a space, RIGHT-TO-LEFT MARK to a space, Farsi yeh U+06CC to U+064A and
// ZERO WIDTH NON-JOINER to a space; then, as Persian is typed today, the
// marks and the tatweel dropped, a lone hamza U+0621 as waw after a consonant
// (جزء as جزو) and dropped elsewhere (شیء, امضاء), and every letter through
// foldLetter. Records are searched through foldLetter too.
QString foldQuery(const QString &text);

// One letter as search compares it, on both sides: hamza on alef or waw as
// the plain letter (U+0623, U+0625, U+0671 to alef, U+0624 to waw), and hamza
// on yeh U+0626 as alef too, so that the spellings مسئله and مسأله meet; teh
// marbuta U+0629 to heh, Farsi yeh to yeh, keheh to kaf; any other unit as
// it is. Alef with madda U+0622 stays: a typed
// plain alef finds it (see looseAlef), a typed madda finds only itself.
char16_t foldLetter(char16_t c);

// The marks U+064B..U+0652 and U+0670 and the tatweel U+0640: a query is
// searched without them.
bool isDroppedInSearch(char16_t c);

// Whether a folded query lets a plain alef stand for alef with madda too:
// when it holds no madda itself.
bool looseAlef(QStringView folded);

// foldQuery, then lower case: what a search matches records against.
QString foldQueryForSearch(const QString &text);

// The query with every '*' and '?' removed and the U+0020 spaces at both ends
// trimmed; a query whose probe has fewer than two code units is not searched.
QString probe(QStringView query);
bool isSearchable(QStringView query);

// The extra folding of the narrow search: Arabic marks U+064B..U+0652
// removed, alef with hamza or madda to plain alef, teh marbuta to heh.
QString foldArabicMarks(QStringView text);

// U+0020 only; tabs and other white space stay.
QStringView trimSpaces(QStringView text);

} // namespace vorlan
