#pragma once

#include "lexicon.h"

#include <QString>
#include <QStringList>

// The last stage: the lexicon written as the four lists.
namespace vorlan::wordlists {

// The four lists as records, aligned and sorted.
struct WordListRecords {
    QStringList en;
    QStringList en2fa;
    QStringList fa;
    QStringList fa2en;
};

// Each entry's senses in the order the cleaning left them, an English entry's
// grouped under part-of-speech markers, cut at whole senses to fit the
// meaning's limit. An entry left without a sense is no record.
WordListRecords renderLists(const Lexicon &lexicon, Report &report);

// Writes EN, EN2FA, FA and FA2EN into `dir` (created if needed), each file
// replaced whole or not at all; SourceError on failure.
void writeWordLists(const WordListRecords &lists, const QString &dir);

// Meaning senses joined by " - ", keeping the longest leading run of whole
// senses that fits `limit`; *dropped counts the senses left out.
QString joinSenses(const QStringList &senses, qsizetype limit, qsizetype *dropped = nullptr);

} // namespace vorlan::wordlists
