// Construction of the dictionary and searches over the headword lists, each
// search beside the plain reference: every record lower-cased on every search
// and matched by the general matcher, with no shortcut for any shape.
#include "cdic.h"
#include "folding.h"
#include "pattern.h"
#include "ratioreporter.h"
#include "scaledlists.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <memory>

namespace {

using namespace Qt::StringLiterals;
using vorlan::cDic;
using vorlan::ResourceProvider;

struct ListSet {
    const char *name;
    const ResourceProvider *provider;
};

std::vector<ListSet> &listSets() {
    static std::vector<ListSet> sets;
    return sets;
}

std::map<const ResourceProvider *, std::unique_ptr<cDic>> &dictionaries() {
    static std::map<const ResourceProvider *, std::unique_ptr<cDic>> dics;
    return dics;
}

cDic &dictionaryFor(const ResourceProvider *provider) {
    auto &slot = dictionaries()[provider];
    if (!slot) {
        slot = std::make_unique<cDic>(*provider);
    }
    return *slot;
}

std::u16string_view view(const QString &s) {
    return {reinterpret_cast<const char16_t *>(s.utf16()), static_cast<std::size_t>(s.size())};
}

// The reference: what a search costs without the engine's preparation.
int32_t referenceSearch(const vorlan::ResourceTools &store, const QString &query) {
    const QString folded = vorlan::foldQueryForSearch(query);
    const vorlan::Pattern pattern(view(folded));
    int32_t found = 0;
    for (int32_t i = 0; i <= store.RecordNumber(); ++i) {
        const QString lower = store.recordView(i).toString().toLower();
        found += pattern.matchesGeneral(view(lower)) ? 1 : 0;
    }
    return found;
}

void construct(benchmark::State &state, const ResourceProvider *provider) {
    for (auto _ : state) {
        cDic dic(*provider);
        benchmark::DoNotOptimize(dic.FindListEn);
    }
}

void searchEngine(benchmark::State &state, const ResourceProvider *provider, bool english,
                  QString query) {
    cDic &dic = dictionaryFor(provider);
    const vorlan::ResourceTools &store = english ? dic.enWords() : dic.faWords();
    vorlan::ResourceTools own(*provider);
    own.setResName(store.ResName());
    own.setResSplitor(store.ResSplitor());
    own.setResIndex(store.ResIndex());
    own.setSearchText(query);
    int32_t found = 0;
    for (auto _ : state) {
        own.StartSearch();
        found = own.FoundNumber();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.counters["chars"] = static_cast<double>(query.size());
}

void searchReference(benchmark::State &state, const ResourceProvider *provider, bool english,
                     QString query) {
    cDic &dic = dictionaryFor(provider);
    const vorlan::ResourceTools &store = english ? dic.enWords() : dic.faWords();
    int32_t found = 0;
    for (auto _ : state) {
        found = referenceSearch(store, query);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}

// The longest text the search box takes.
constexpr qsizetype kBoxLength = 32767;

QString repeated(const QString &unit, qsizetype times) {
    QString s;
    s.reserve(unit.size() * times);
    for (qsizetype i = 0; i < times; ++i) {
        s += unit;
    }
    return s;
}

// head + as many units as fit in the box + tail, topped up to the box's
// length with stars after a leading star (which merge with it).
QString boxFull(const QString &head, const QString &unit, const QString &tail) {
    const qsizetype times = (kBoxLength - head.size() - tail.size()) / unit.size();
    QString s = head + repeated(unit, times) + tail;
    const qsizetype missing = kBoxLength - s.size();
    return head.startsWith(u'*') ? QString(missing, u'*') + s : s + QString(missing, u'*');
}

// Stars in front of `core` (which starts with one, so they merge) up to the
// box's length.
QString starPadded(const QString &core) {
    return QString(kBoxLength - core.size(), u'*') + core;
}

// `count` lists that each take any character but '0', sharing the box.
QString heavyLists(qsizetype count, qsizetype reserved) {
    const qsizetype ranges = (kBoxLength - reserved) / count / 3 - 1;
    return repeated(u"[!"_s + repeated(u"0-0"_s, ranges) + u']', count);
}

// Every other code unit from U+0021 up ('-' and ']' left out), so that no
// two merge: 32,750 separate ranges in one list.
QString scatteredUnits() {
    QString s;
    for (int c = 0x21; c <= 0xFFFF; c += 2) {
        if (c != u'-' && c != u']') {
            s += QChar(static_cast<char16_t>(c));
        }
    }
    return s;
}

// The shapes a pasted pattern can take to make a matcher slow, each as long
// as the search box allows: huge lists, many lists, stars that invite
// backtracking, long literals and digit runs, an unclosed list, and a mix.
struct WorstCase {
    const char *label;
    QString text;
};

std::vector<WorstCase> worstCases() {
    return {
        {"*[!0-0...]# box-full", boxFull(u"*[!"_s, u"0-0"_s, u"]#"_s)},
        {"*[32,750 scattered units]*", starPadded(u"*["_s + scatteredUnits() + u"]*"_s)},
        // Any-character lists and a 'q' that rarely comes: every position of
        // every record is tried 8 deep. Seven lists cost the most on these
        // lists (from 3 to 90 measured): fewer are quick to try, more leave
        // fewer positions to try.
        {"*[!]x7 q* (infix retries)", starPadded(u'*' + repeated(u"[!]"_s, 7) + u"q*"_s)},
        {"*[!0-0...]x7 q* (heavy infix)", u'*' + heavyLists(7, 3) + u"q*"_s},
        {"*[!0-0...]x7 q (backtracking)", u'*' + heavyLists(7, 2) + u'q'},
        {"*a*a*...*b (16k stars)", boxFull(u"*"_s, u"a*"_s, u"b"_s)},
        {"a*a*...*b (15 a, stars between)", repeated(u"a"_s + QString(2180, u'*'), 15) + u'b'},
        {"*literal* box-full", boxFull(u"*"_s, u"abcdefghij"_s, u"*"_s)},
        {"literal* box-full", boxFull(u""_s, u"abcdefghij"_s, u"*"_s)},
        {"#x32767", repeated(u"#"_s, kBoxLength)},
        {"*#*#*... box-full", boxFull(u"*"_s, u"#*"_s, u""_s)},
        {"[a-z]x6553 short lists", boxFull(u""_s, u"[a-z]"_s, u""_s)},
        {"*[!]*[!]*... short lists", boxFull(u"*"_s, u"[!]*"_s, u""_s)},
        {"unclosed [ at the end", boxFull(u"*"_s, u"[a-z]"_s, u"*["_s)},
        {"unclosed [ at the start", boxFull(u"["_s, u"a"_s, u""_s)},
        {"mixed", starPadded(u"*e*#*"_s + heavyLists(4, 20) + u"*[a-z]*[!]*r*"_s)},
    };
}

void registerAll() {
    struct Query {
        const char *label;
        bool english;
        QString text;
    };
    const Query queries[] = {
        {"*er*", true, QStringLiteral("*er*")},
        // A pasted list of 9,999 ranges: 30,002 characters.
        {"*[!0-0...]# (30,002 chars)", true, u"*[!"_s + repeated(u"0-0"_s, 9999) + u"]#"_s},
        {"*an*(fa)", false, QStringLiteral(u"*\u0627\u0646*")},
        {"ab*", true, QStringLiteral("ab*")},
        {"[a-z]*", true, QStringLiteral("[a-z]*")},
        {"*zymosthenic*", true, QStringLiteral("*zymosthenic*")},
        // "*#*" has a one-character probe, so by design it runs no search.
        {"*#* (no search)", true, QStringLiteral("*#*")},
        {"*##*", true, QStringLiteral("*##*")},
        {"exact:book", true, QStringLiteral("book")},
    };
    for (const ListSet &set : listSets()) {
        const std::string prefix = std::string(set.name) + "/";
        benchmark::RegisterBenchmark((prefix + "construct").c_str(), construct, set.provider)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
        for (const Query &q : queries) {
            const std::string base = prefix + "search " + q.label;
            benchmark::RegisterBenchmark((base + "/vorlan").c_str(), searchEngine, set.provider,
                                         q.english, q.text)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((base + "/reference").c_str(), searchReference,
                                         set.provider, q.english, q.text)
                ->Unit(benchmark::kMillisecond);
        }
        for (const WorstCase &w : worstCases()) {
            for (const bool english : {true, false}) {
                const std::string base = prefix + "worst " + w.label + (english ? "" : " (fa)");
                benchmark::RegisterBenchmark((base + "/vorlan").c_str(), searchEngine, set.provider,
                                             english, w.text)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark((base + "/reference").c_str(), searchReference,
                                             set.provider, english, w.text)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    int largeEnglish = 0;
    int largePersian = 0;
    static const vorlan::MemoryResourceProvider large =
        vorlan::bench::largeWordLists(&largeEnglish, &largePersian);
    benchmark::AddCustomContext("large lists", std::to_string(largeEnglish) + " English, " +
                                                   std::to_string(largePersian) +
                                                   " Persian records");
    listSets() = {{"built-in", &ResourceProvider::builtIn()}, {"large", &large}};
    const cDic &builtIn = dictionaryFor(&ResourceProvider::builtIn());
    benchmark::AddCustomContext(
        "built-in lists", std::to_string(builtIn.enWords().RecordNumber() + 1) + " English, " +
                              std::to_string(builtIn.faWords().RecordNumber() + 1) +
                              " Persian records");
    benchmark::Initialize(&argc, argv);
    registerAll();
    vorlan::bench::RatioReporter reporter;
    // Every pattern the search box can hold must leave typing fluid.
    reporter.setBudget("/worst ", 50.0);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
