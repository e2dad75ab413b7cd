#pragma once

#include "englishforms.h"
#include "lexicon.h"
#include "persianforms.h"

#include <QList>
#include <QString>

// Lookup forms: records for inflected forms ("Went", "Books", كتاب ها) that
// lead to their headword, so a word as it stands in running text finds its
// entry.
namespace vorlan::wordlists {

// What the forms are made from besides the lexicon itself. Without an
// English word list no English form is made (the tests' small sources).
struct FormSources {
    EnglishWords englishWords;
    WordNetExceptions wordnet;
};

// Reads Debian's English word list and WordNet's exception lists from its
// dictionary folder; SourceError when a file is missing, unreadable or empty.
FormSources readFormSources(const QString &englishWords, const QString &wordNetDir);

// Adds the lookup forms of the lexicon's headwords. It runs after the
// cleaning, so that forms lead only to headwords that stay. A form that is a
// headword keeps its own entry. A form's senses are its headwords' senses as
// written, each headword's first one opened by "(go=) " in EN2FA, and by
// "Plural: ", "Past: ", "Past participle: " or "(form) " in FA2EN; an English
// form keeps only the part-of-speech groups it is a form of ("Went" no noun
// senses of "Go") where the headword's meaning has such groups.
void addLookupForms(Lexicon &lexicon, const FormSources &sources, Report &report);

// The EN2FA opening for the headword `base`: "(go=) ".
QString en2faOpening(const QString &base);

// The report's counts of the forms written, under these phrases.
inline constexpr char kEnglishFormsCount[] = "lookup forms: English";
inline constexpr char kPersianFormsCount[] = "lookup forms: Persian";

} // namespace vorlan::wordlists
