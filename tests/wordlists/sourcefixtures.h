#pragma once

// Small sources in the shape of the real ones, shared by the converter's tests.
#include "converter.h"

#include <QByteArray>
#include <QString>

#include <ostream>

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

} // namespace vorlan::wordlists::fixtures
