#pragma once

#include "lexicon.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Persian present tenses made from the team's table of present stems: the
// 2022 extract gives them only for the verbs whose conjugation table it
// holds, and a present stem cannot be told from the infinitive (پرداختن:
// پرداز, نوشتن: نويس).
namespace vorlan::wordlists {

// One line of the table, in the lists' letter forms.
struct PresentStem {
    QString infinitive; // پرداختن
    QString stem;       // پرداز; with a preverb, the whole stem: بردار of برداشتن
};

// `INFINITIVE<TAB>STEM` lines; "#" opens a comment line. A line of another
// shape, an infinitive not in -دن or -تن, or Persian that does not normalise
// to one word of the lists' letters is left out and counted in `bad`.
QList<PresentStem> parsePresentStems(const QString &text, qsizetype *bad = nullptr);

// The length of the preverb (بر, در, باز, فرا, فرو, وا) a one-word verb
// begins with where the rest is a verb of the lexicon: 2 for برگشتن (گشتن),
// 0 for بردن.
qsizetype persianPreverb(const Lexicon &lexicon, const QString &verb);

// The present forms on a stem whose first `preverb` letters are a preverb:
// - the present with مي and its negative with نمي, six persons, each with
//   the joiner as a space and joined (مي پردازم, ميپردازم), after a preverb
//   (برمي دارم, برنميدارم);
// - the subjunctive with ب and its negative with ن (بپردازم, نپردازم), where
//   آ becomes يا (بيايد, نيايد), ا becomes ي (بيفتد) and اي stays (بايستد);
//   after a preverb without ب (بردارم, برندارم);
// - the imperative singular, and its negative (بپرداز, نپرداز); the plural
//   is the subjunctive's second person plural.
// A stem in ا or آ takes ي before the endings (بفرماييد); any other stem
// is written as it stands before them.
QStringList presentForms(const QString &stem, qsizetype preverb = 0);

// Every spelling the table's verbs would be given, whether or not they are.
QSet<QString> presentStemSpellings(const Lexicon &lexicon, const QByteArray &table);

// Adds the present forms of the table's verbs, each leading to its
// infinitive's record with "(form) " before its senses: only for a one-word
// verb headword with a sense that is not archaic, obsolete, dialectal or
// rare, and none where the spelling has a record already (a headword or
// another form) or is a word in `known`. Returns the records made, and adds
// their keys to `made` when given.
qsizetype addPresentStemForms(Lexicon &lexicon, const QByteArray &table, const QSet<QString> &known,
                              Report &report, QSet<QString> *made = nullptr);

} // namespace vorlan::wordlists
