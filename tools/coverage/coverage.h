#pragma once

#include "cdic.h"
#include "resourceprovider.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// How many of the words people meet the built word lists find, measured the
// way the search panes find them, and whether common words carry their core
// translation. The frequency lists only measure: nothing here feeds the lists.
namespace vorlan::coverage {

using vorlan::Language;

QString languageName(Language language); // "English" or "Persian"

// One pair of lists as the program holds it: records split at CR LF, the
// byte-order mark and the U+0000 after the last record kept out of sight the
// way the window keeps them (text up to the first U+0000).
struct Side {
    QStringList headwords; // whole records, as the search matches them
    QStringList meanings;  // what the meaning box shows
    QString visible(int index) const;
};

struct Lists {
    Side english; // EN and EN2FA
    Side persian; // FA and FA2EN
    const Side &side(Language l) const { return l == Language::English ? english : persian; }
};

// Reads DIR/EN, DIR/EN2FA, DIR/FA and DIR/FA2EN. Nothing, with the reason in
// *error, when a file is missing, unreadable, not UTF-16LE with a byte-order
// mark, or when a pair differs in its number of records.
std::optional<Lists> readLists(const QString &dir, QString *error);

// The record whose row a search pane selects when `typed` is typed into its
// search box with exact matching off: the first row, in list order, that the
// search for *typed* lists and whose text equals the folded query ignoring
// case. -1 when no row is selected (no such headword, or a query the pane
// does not search).
class RowFinder {
public:
    RowFinder(const Lists &lists, Language language);
    int find(const QString &typed) const;

private:
    Language language_;
    MemoryResourceProvider provider_;
    std::unique_ptr<cDic> dic_; // searching updates its latest result lists
};

// The frequency lists hold "word count" lines, most frequent first. English
// counts words of two or more letters a-z; Persian counts words of two or
// more letters of the Arabic block (a ZERO WIDTH NON-JOINER, the marks and a
// lone hamza, which the search drops, may stand between them, and are not letters). Everything else
// (names with digits, "i", contractions, punctuation, Latin in the Persian list) is left out.
bool isCountedWord(QStringView word, Language language);

// The counted words of a frequency list, in its order. Nothing, with the
// reason in *error, when the file cannot be read.
std::optional<QStringList> readFrequencyList(const QString &path, Language language,
                                             QString *error);

struct Figure {
    int considered = 0; // words of the top N that the list holds (N or fewer)
    int found = 0;
    QStringList missing; // in frequency order
    double percent() const { return considered == 0 ? 0.0 : 100.0 * found / considered; }
};

// The frequency lists were cut at apostrophes, so "don't" stands in them as
// "don" and "t". The first half of such a negative contraction gives the
// whole contraction ("didn" gives "didn't"); any other word gives nothing.
QString contractionOf(QStringView word);

// Share of the first `top` counted words for which the pane selects a row,
// for the word itself or, for the first half of a contraction, for the
// whole contraction as a reader meets and copies it.
Figure measureCoverage(const QStringList &words, int top, const RowFinder &finder);

// A common word with the core translations its meaning must hold (any one).
struct KnownAnswer {
    Language from = Language::English; // the pane the word is typed into
    QString typed;
    QStringList accepted; // Persian ones already in the lists' letter forms
    int line = 0;
};

// Lines `en<TAB>typed<TAB>alt1 | alt2` or `fa<TAB>...`; '#' starts a comment
// line, blank lines are skipped. Persian translations are brought to the
// lists' letter forms (ی to ي, ک to ك, ZWNJ to a space). Nothing, with the line
// and reason in *error, for any other line: a table that cannot be read must
// not silently shrink.
std::optional<std::vector<KnownAnswer>> parseKnownAnswers(QStringView text, QString *error);

// Whether one sense of `meaning` is `translation`: senses are split at " - ",
// commas and semicolons; parenthesised notes and a leading label ending in ':'
// ("(.n):", "Plural:") are dropped; comparison ignores case.
bool meaningHolds(QStringView meaning, QStringView translation);

struct KnownAnswerResult {
    const KnownAnswer *answer = nullptr;
    int record = -1; // the row selected, or -1
    bool passed = false;
};

std::vector<KnownAnswerResult> checkKnownAnswers(const std::vector<KnownAnswer> &answers,
                                                 const Lists &lists, const RowFinder &english,
                                                 const RowFinder &persian);

// What CI holds the lists to: a figure below its target fails the check.
enum class Measure { Top1000, Top5000, Top20000, KnownAnswers };

struct Target {
    Language language;
    Measure measure;
    double minimum; // percent, the target
};

// The one place the targets live. Known answers are counted over both
// directions together; their entry is listed under English.
inline constexpr Target kTargets[] = {
    {Language::English, Measure::Top1000, 99.0},       {Language::English, Measure::Top5000, 93.0},
    {Language::English, Measure::Top20000, 77.0},      {Language::Persian, Measure::Top1000, 90.0},
    {Language::Persian, Measure::Top5000, 75.0},       {Language::Persian, Measure::Top20000, 55.0},
    {Language::English, Measure::KnownAnswers, 100.0},
};

int topSize(Measure measure); // 1,000, 5,000 or 20,000; 0 for known answers

// `count` distinct record indexes below `records`, in ascending order, drawn
// by a generator seeded with `seed`: the same arguments give the same sample.
// All records when `count` is at least `records`.
std::vector<int> sampleRecords(int records, int count, uint32_t seed);

} // namespace vorlan::coverage
