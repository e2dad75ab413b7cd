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
    WordNetLemmas wordnetLemmas;
    // The team's table of colloquial Persian spellings (UTF-8); may be empty.
    QByteArray persianColloquial;
    // The team's table of British spellings (UTF-8); may be empty.
    QByteArray britishSpellings;
    // The team's table of Persian present stems (UTF-8); may be empty.
    QByteArray presentStems;
};

// Reads Debian's English word list and WordNet's exception lists from its
// dictionary folder; SourceError when a file is missing, unreadable or empty.
// The lemmas are the caller's to add from the data files it reads.
FormSources readFormSources(const QString &englishWords, const QString &wordNetDir);

// Adds the lookup forms of the lexicon's headwords. It runs after the
// cleaning, so that forms lead only to headwords that stay. A form that is a
// headword keeps its own entry. A form's senses are its headwords' senses as
// written, each headword's first one opened by "(go=) " in EN2FA, and by
// "Plural: ", "Past: ", "Past participle: " or "(form) " in FA2EN; an English
// form keeps the headword's whole meaning. A colloquial spelling of the
// team's table leads to its standard form's record, "(form) " before a
// headword's meaning, or to the team's English where the standard is a
// phrase no list holds. The present tenses of the verbs in the team's table
// of present stems lead to the infinitive's record.
void addLookupForms(Lexicon &lexicon, const FormSources &sources, Report &report);

// The EN2FA opening for the headword `base`: "(go=) ".
QString en2faOpening(const QString &base);

// The headword `base`'s senses written as a lookup form's meaning, opened by
// en2faOpening(base).
std::vector<Sense> englishFormMeaning(const std::vector<Sense> &senses, const QString &base);

// The report's counts of the forms written, under these phrases.
inline constexpr char kEnglishFormsCount[] = "lookup forms: English";
inline constexpr char kPersianFormsCount[] = "lookup forms: Persian";

} // namespace vorlan::wordlists
