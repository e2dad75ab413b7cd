#pragma once

// Small sources and lexicons in the shape of the real ones, shared by the converter's tests.
#include "converter.h"

#include <QByteArray>
#include <QString>

#include <ostream>
#include <vector>

// Failures print text, not code units.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vorlan::wordlists::fixtures {

// A WordNet data file whose synset lines start at the offsets they name,
// after a licence header as the real files have.
QByteArray wordnetData(const QList<QByteArray> &synsets, qsizetype headerBytes = 40);

// The line of one synset: `lemmas` with their lex ids, nothing after.
QByteArray synsetLine(qsizetype offset, const QList<QByteArray> &lemmas, char pos = 'n');

// The CLDR files, each holding the given names of its kind; `annotations`
// maps a symbol to its English and Persian spoken names.
CldrTexts cldr(const QList<std::tuple<QString, QString, QString>> &languages = {},
               const QList<std::tuple<QString, QString, QString>> &annotations = {});

// Every source empty but well-formed, the two extracts set.
SourceTexts sources(const QByteArray &translations, const QByteArray &wiktextract);

// One sense of a small lexicon: of an English entry, or of a Persian one
// where `head` has a Persian letter.
struct Row {
    Row(QString head, QString core, PartOfSpeech pos = PartOfSpeech::Noun,
        Origin origin = Origin::TranslationList, bool reversed = false, QString label = {},
        bool name = false, int order = 0, int ofSenses = 1, qsizetype line = -1)
        : head(std::move(head)) {
        sense.core = std::move(core);
        sense.label = std::move(label);
        sense.pos = pos;
        sense.origin = origin;
        sense.reversed = reversed;
        sense.name = name;
        sense.order = order;
        sense.ofSenses = ofSenses;
        sense.line = line;
    }
    QString head;
    Sense sense;
};
Lexicon lexicon(const std::vector<Row> &rows, Lexicon lex = {});

// The lexicon through the stages after reading, as the converter runs them.
WordListRecords stages(Lexicon lex, const FormSources &forms = {}, Report *report = nullptr);

// The EN2FA or FA2EN meaning of a headword or lookup form; "<absent>" when it has no record.
QString meaningOf(const WordListRecords &lists, const QString &head);

// Each "TYPED → MEANING" row: the meaning of the record the search finds for TYPED.
void expectMeanings(const WordListRecords &lists, const QStringList &rows);

} // namespace vorlan::wordlists::fixtures
