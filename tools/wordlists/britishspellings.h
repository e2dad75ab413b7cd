#pragma once

#include "lexicon.h"

#include <QByteArray>
#include <QList>
#include <QString>

// British spellings as lookup forms: "favourite" leads to the record of
// "favorite", "realised" to that of "realized" (itself a form of "realize").
namespace vorlan::wordlists {

struct SpellingPair {
    QString british;
    QString american;
};

// Lines "BRITISH<TAB>AMERICAN" of lower-case letters; '#' lines and blank
// lines are skipped. *bad counts the other lines, which are left out.
QList<SpellingPair> parseBritishSpellings(const QString &text, qsizetype *bad = nullptr);

// Adds a record for each British spelling that has none of its own and whose
// American spelling has one (a headword or a lookup form made before), with
// that record's senses, opened by "(american=) " where the American spelling
// is a headword. Returns the records made.
qsizetype addBritishSpellings(Lexicon &lexicon, const QByteArray &table, Report &report);

} // namespace vorlan::wordlists
