#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// Turns the raw Wiktionary extracts into the four word lists.
namespace vorlan::wordlists {

// Where the extracts stand below the sources folder.
inline constexpr char kTranslationListPath[] = "enwiktionary-buchmeier-2015/en-fa-enwiktionary.txt";
inline constexpr char kWiktextractPath[] =
    "wiktextract-vuizur-2022/Persian-English_Wiktionary_dictionary.tsv";

// The raw bytes of the two extracts, UTF-8.
struct SourceTexts {
    QByteArray translationList; // English → Persian, 2015
    QByteArray wiktextract;     // Persian → English, 2022
};

// What the conversion read, dropped and made; each count under a short
// phrase, so the report prints itself.
struct ConversionReport {
    QMap<QString, qsizetype> read;
    QMap<QString, qsizetype> dropped;
    qsizetype englishHeadwords = 0;
    qsizetype persianHeadwords = 0;
};

// The four lists as records, aligned and sorted.
struct WordListRecords {
    QStringList en;
    QStringList en2fa;
    QStringList fa;
    QStringList fa2en;
};

struct ConversionResult {
    WordListRecords lists;
    ConversionReport report;
};

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws SourceError when an extract is not UTF-8 or holds no usable entry.
// The same bytes always give the same lists.
ConversionResult convert(const SourceTexts &sources);

// Reads both extracts from `dir`; SourceError when one is missing or unreadable.
SourceTexts readSources(const QString &dir);

// Writes EN, EN2FA, FA and FA2EN into `dir` (created if needed), each file
// replaced whole or not at all; SourceError on failure.
void writeWordLists(const WordListRecords &lists, const QString &dir);

// Meaning senses joined by " - ", keeping the longest leading run of whole
// senses that fits `limit`; *dropped counts the senses left out.
QString joinSenses(const QStringList &senses, qsizetype limit, qsizetype *dropped = nullptr);

} // namespace vorlan::wordlists
