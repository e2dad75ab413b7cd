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

void registerAll() {
    struct Query {
        const char *label;
        bool english;
        QString text;
    };
    const Query queries[] = {
        {"*er*", true, QStringLiteral("*er*")},
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
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    static const vorlan::MemoryResourceProvider large = vorlan::bench::largeWordLists();
    listSets() = {{"built-in", &ResourceProvider::builtIn()}, {"large", &large}};
    benchmark::Initialize(&argc, argv);
    registerAll();
    vorlan::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
