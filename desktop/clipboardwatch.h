#pragma once

#include <QString>
#include <QStringView>

namespace vorlan {

// The Persian letters a copied word may begin with, separated by single
// spaces (U+064A stands in it twice).
inline constexpr QStringView FaLetters =
    u"\u0638 \u0637 \u0632 \u0631 \u0630 \u062F \u0626 \u0648 \u0634 \u0633 \u064A \u0628 "
    u"\u0644 \u0627 \u062A \u0646 \u0645 \u0643 \u06AF \u0636 \u0635 \u062B \u0642 \u0641 "
    u"\u063A \u0639 \u0647 \u062E \u062D \u062C \u0686 \u0698 \u067E \u064A \u0624 \u0622 "
    u"\u0629 \u0649 \u06A9";

// Longest word, in UTF-16 code units, the watcher looks up.
inline constexpr qsizetype ClipWordMaxLength = 20;

enum class ClipLanguage { None, English, Persian };

struct ClipWord {
    QString word;
    ClipLanguage language = ClipLanguage::None;
};

// The first word of the clipboard's text and its language: the text with the
// U+0020 spaces at both ends trimmed (other white space, line breaks too,
// stays), cut at its first space and to ClipWordMaxLength code units. English
// when the word begins with a Latin letter (lower-cased 'a' to 'z'), Persian
// when it begins with a letter of FaLetters or with Farsi yeh U+06CC; an empty
// text gives an empty word of no language.
ClipWord takeClipWord(const QString &clipboardText);

// Whether ch is one of the letters of FaLetters or U+06CC.
bool isPersianFirstLetter(QChar ch);

} // namespace vorlan
