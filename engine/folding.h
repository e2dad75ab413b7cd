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
// ZERO WIDTH NON-JOINER to a space. The search panes use it to pick the row
// that equals the query.
QString foldQuery(const QString &text);

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
