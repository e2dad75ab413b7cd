#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The English side of the conversion: headwords, glosses and the keys a
// Persian entry is reversed under.
namespace vorlan::wordlists {

// Accented letters to their base letter (café → cafe), ligatures spelt out
// (æ → ae, ß → ss), typographic quotes and dashes to ASCII. Characters with no
// ASCII form stay as they are, so the caller can tell.
QString foldToAscii(QStringView text);

bool isPrintableAsciiText(QStringView text);

// First character upper-cased when it is an ASCII letter; the rest kept, so
// proper nouns keep their capitals.
QString capitaliseFirst(QStringView text);

enum class HeadwordProblem { None, Characters, TooLong };

// An EN headword: folded to ASCII, spaces collapsed, first letter capitalised.
// Empty, with the reason, when it has characters outside the allowed set,
// does not begin with a letter, or is longer than 32 characters.
QString makeEnHeadword(QStringView raw, HeadwordProblem *problem = nullptr);

// One English sense taken from a gloss of the 2022 extract.
struct EnglishSense {
    QString text;  // as it goes into FA2EN: capitalised, label appended
    QString core;  // the same without the label
    QString label; // "archaic", "dialectal, Shiraz", ... or empty
};

// Glosses that only point to another entry ("alternative form of X",
// "plural of X"), where X is a Persian word.
bool isFormOfGloss(QStringView gloss);

// A gloss broken into senses. Leading labels "(archaic)" become the label;
// the gloss splits at ';' and, where every comma item is short, at ',';
// text before a colon stands for the sense when it is short; long
// parenthesised notes go; a verb's leading "to " goes. Pieces that are not
// English after folding are left out, counted in *notEnglish.
QList<EnglishSense> englishSenses(QStringView gloss, bool verb, int *notEnglish = nullptr);

// The EN headword an English sense may be reversed under: the core without
// parenthesised notes and without a leading article (not for names), at most
// three words, and a valid headword. Empty when the sense is not a short
// word or phrase.
QString reversalKey(const EnglishSense &sense, bool name);

qsizetype wordCount(QStringView text);

} // namespace vorlan::wordlists
