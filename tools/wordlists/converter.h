#pragma once

#include "forms.h"
#include "lexicon.h"
#include "readers.h"
#include "write.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

// Turns the open sources into the four word lists: each source read into one
// lexicon, then merged, cleaned, given its lookup forms, and written.
namespace vorlan::wordlists {

// Where the extracts stand below the sources folder.
inline constexpr char kTranslationListPath[] = "enwiktionary-buchmeier-2015/en-fa-enwiktionary.txt";
inline constexpr char kWiktextractPath[] =
    "wiktextract-vuizur-2022/Persian-English_Wiktionary_dictionary.tsv";
inline constexpr char kWordnetLinksPath[] = "omw-wikt-fas/wn-wikt-fas.tab";
inline constexpr char kCldrPath[] = "cldr-48";

// The raw bytes of the sources, UTF-8.
struct SourceTexts {
    QByteArray translationList; // English → Persian, 2015
    QByteArray wiktextract;     // Persian → English, 2022
    QByteArray teamList;        // English → Persian, the team's own; may be empty
    QByteArray coreList;        // the team's common words by WordNet's counts; may be empty
    QByteArray lemmaList;       // the team's common lemmas of WordNet and SCOWL; may be empty
    QByteArray persianList;     // Persian → English, the team's core vocabulary; may be empty
    QByteArray topicList;       // the team's words of news, study and work by topic; may be empty
    QByteArray persianTopics;   // Persian → English, the same by topic; may be empty
    QByteArray wordnetLinks;    // Persian ↔ WordNet synsets
    WordnetData wordnet;
    CldrTexts cldr;
    FormSources forms;
};

using ConversionReport = Report;

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

// Where the sources are read from. The team list lives beside the open
// sources, not among them; without a path there is none.
struct SourcePaths {
    QString sourcesDir;
    QString teamList;
    QString coreList;
    QString lemmaList;
    QString persianList;
    QString topicList;
    QString persianTopics;
    QString wordnetDir;   // WordNet 3.0's data.noun, data.verb, data.adj, data.adv
    QString englishWords; // Debian's word list, for the English lookup forms
    QString colloquial;   // the team's table of colloquial Persian spellings; optional
    QString british;      // the team's table of British spellings; optional
    QString presentStems; // the team's table of Persian present stems; optional
};

// A file's bytes; SourceError when it is missing or unreadable.
QByteArray readSourceFile(const QString &path);

// Reads the sources; SourceError when one is missing or unreadable. Without
// an English word list no English lookup form is made.
SourceTexts readSources(const SourcePaths &paths);

} // namespace vorlan::wordlists
