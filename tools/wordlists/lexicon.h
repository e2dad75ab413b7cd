#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <map>
#include <set>
#include <vector>

// What the conversion stages hand each other: every source read into one
// lexicon of English and Persian entries, each sense remembering where it
// came from, so that merging, cleaning and ordering can weigh it.
namespace vorlan::wordlists {

// Where a sense was read. The order is no ranking; ranks are the cleaning's.
enum class Origin : std::uint8_t {
    TranslationList, // English → Persian, Wiktionary translation tables, 2015
    TeamList,        // English → Persian, written by the team, same format
    Wiktextract,     // Persian → English, Wiktionary entries, 2022
    Wordnet,         // Persian ↔ WordNet 3.0 synsets (Open Multilingual Wordnet)
    Cldr,            // language, territory, script and symbol names
};

// The part-of-speech groups of an EN2FA meaning, in the order they are
// written; senses of no known part of speech come first so that no marker
// seems to govern them.
enum class PartOfSpeech : std::uint8_t { None, Noun, VerbT, VerbI, Adj, Adv, Pref };

// One sense of a headword: a Persian word for an English entry, or an English
// word or explanation for a Persian entry.
struct Sense {
    QString core;  // the meaning itself, without its label
    QString label; // usage label: "archaic", "colloquial", "dialectal, Shiraz", or empty
    PartOfSpeech pos = PartOfSpeech::None;
    Origin origin = Origin::TranslationList;
    bool reversed = false; // made by reversing an entry of the other direction
    bool name = false;     // of a proper name ("Apple" the company, not the fruit)
    int order = 0;         // the sense's number within its part of speech in the source entry
    int ofSenses = 1;      // how many senses that part of speech has there
    qsizetype seq = 0;     // reading order over all sources, the last tie-breaker
    qsizetype line = -1;   // a translation list's line: one sense, its Persian words together
    QString spelling;      // English entries: the headword as this source spells it
};

// A sense as it is written: in EN2FA the Persian text after its English label,
// "(colloquial) يه كمي"; in FA2EN the English text before it, "Abdomen
// (dialectal)".
QString en2faText(const Sense &sense);
QString fa2enText(const Sense &sense);

struct EnglishEntry {
    QString headword; // chosen by the merge among the senses' spellings
    std::vector<Sense> senses;
};

struct PersianEntry {
    std::vector<Sense> senses;
    QStringList otherKeys; // the 2022 extract's inflected and alternate keys, raw
    QString joined;        // the headword without the joiners a source wrote, or empty
};

// What the conversion read, dropped and made; each count under a short
// phrase, so the report prints itself.
struct Report {
    QMap<QString, qsizetype> read;
    QMap<QString, qsizetype> dropped;
    qsizetype englishHeadwords = 0;
    qsizetype persianHeadwords = 0;

    void count(const QString &what, qsizetype n = 1) { read[what] += n; }
    void drop(const QString &why, qsizetype n = 1) {
        if (n > 0) {
            dropped[why] += n;
        }
    }
};

struct Lexicon {
    std::map<QString, EnglishEntry> english; // by wordlist::enSortKey, which is EN's order
    std::map<QString, PersianEntry> persian; // by headword; FA's order is the writer's
    qsizetype nextSeq = 0;
    // By EN key: the parts of speech a WordNet link confirms for senses a
    // source gives without one ("Tree" درخت, the synset tree.n). Only the
    // lookup forms use them; the senses stay as their source writes them.
    std::map<QString, std::set<PartOfSpeech>> linkedPos;
    // By EN key: SemCor's tagged occurrences of the word as a noun, verb
    // (under VerbT), adjective and adverb, from WordNet's cntlist.rev.
    std::map<QString, std::map<PartOfSpeech, int>> taggedCounts;

    // The entry a reader adds to; the spelling is kept on each sense.
    EnglishEntry &englishEntry(const QString &headword);
    void addEnglishSense(const QString &headword, Sense sense);
    void addPersianSense(const QString &headword, Sense sense);
    // Keeps the joined spelling of a headword read from `raw` (see joinedSpelling).
    void noteJoiners(const QString &headword, QStringView raw);
};

} // namespace vorlan::wordlists
