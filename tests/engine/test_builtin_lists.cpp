// Runs against the word lists built into the program.
#include "cdic.h"
#include "errors.h"
#include "folding.h"
#include "referencematcher.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

QStringList allRecords(const vorlan::ResourceTools &store) {
    QStringList records;
    for (int32_t i = 0; i <= store.RecordNumber(); ++i) {
        records << store.GetIndex(i);
    }
    return records;
}

class BuiltInLists : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dic = new vorlan::cDic(); }
    static void TearDownTestSuite() {
        delete dic;
        dic = nullptr;
    }
    static vorlan::cDic *dic;
};
vorlan::cDic *BuiltInLists::dic = nullptr;

TEST(BuiltInResources, FetchedByTypeNameInAnyCaseWithExactBytes) {
    const vorlan::ResourceProvider &builtIn = vorlan::ResourceProvider::builtIn();
    for (const char *name : {"EN", "En2Fa", "fa", "FA2EN"}) {
        QFile file(QStringLiteral(VORLAN_WORDLIST_DIR "/") + QString::fromLatin1(name).toUpper());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const std::optional<QByteArray> bytes = builtIn.fetch(QString::fromLatin1(name), 1);
        ASSERT_TRUE(bytes.has_value()) << name;
        EXPECT_TRUE(*bytes == file.readAll()) << name;
    }
    EXPECT_FALSE(builtIn.fetch(u"EN"_s, 2).has_value());
    EXPECT_FALSE(builtIn.fetch(u"Dictionary"_s, 1).has_value());
    vorlan::ResourceTools store;
    store.setResSplitor(u"\r\n"_s);
    store.setResIndex(1);
    EXPECT_THROW(store.setResName(u"Nope"_s), vorlan::ResourceNotFoundError);
}

TEST_F(BuiltInLists, PairsAreAligned) {
    EXPECT_EQ(dic->enWords().RecordNumber(), dic->enMeanings().RecordNumber());
    EXPECT_EQ(dic->faWords().RecordNumber(), dic->faMeanings().RecordNumber());
    EXPECT_GT(dic->enWords().RecordNumber(), 10000);
    EXPECT_GT(dic->faWords().RecordNumber(), 10000);
}

// Patterns built from real headwords, in every shape the search knows,
// against the plain reference that lower-cases every record per search.
std::vector<QString> patternsFrom(const QStringList &words, std::mt19937 &rng, int count) {
    std::vector<QString> out;
    std::uniform_int_distribution<qsizetype> pickWord(0, words.size() - 1);
    const QString classes[] = {u"[a-m]"_s, u"[!a-e]"_s, u"#"_s, u"[\u0627-\u0628]"_s, u"[-']"_s};
    while (static_cast<int>(out.size()) < count) {
        QString w = words[pickWord(rng)];
        w.truncate(w.indexOf(QChar(0)) < 0 ? w.size() : w.indexOf(QChar(0)));
        if (w.size() < 3) {
            continue;
        }
        const qsizetype start = std::uniform_int_distribution<qsizetype>(0, w.size() - 2)(rng);
        const qsizetype len = std::uniform_int_distribution<qsizetype>(
            2, std::min<qsizetype>(5, w.size() - start))(rng);
        const QString piece = w.mid(start, len);
        switch (out.size() % 9) {
        case 8:
            out.push_back(u"*"_s + piece.left(1) + u"[!-]"_s + piece.mid(1) + u"*"_s);
            break;
        case 0:
            out.push_back(u"*"_s + piece + u"*"_s);
            break;
        case 1:
            out.push_back(piece + u"*"_s);
            break;
        case 2:
            out.push_back(u"*"_s + piece);
            break;
        case 3:
            out.push_back(w.toUpper());
            break;
        case 4:
            out.push_back(u"*"_s + piece.left(1) + u"*"_s + piece.mid(1) + u"*"_s);
            break;
        case 5:
            out.push_back(classes[out.size() % 5] + u"*"_s + piece + u"*"_s);
            break;
        case 6:
            out.push_back(u"*"_s + piece.left(1) + u"?"_s + piece.mid(1) + u"*"_s);
            break;
        default:
            out.push_back(u"* "_s + piece + u"*"_s);
            break;
        }
    }
    return out;
}

TEST_F(BuiltInLists, SearchAgreesWithReference) {
    std::mt19937 rng(52448);
    for (const vorlan::ResourceTools *store : {&dic->enWords(), &dic->faWords()}) {
        const QStringList records = allRecords(*store);
        // A store of our own so that the shared dictionary's state is left alone.
        vorlan::ResourceTools probe;
        probe.setResName(store->ResName());
        probe.setResSplitor(store->ResSplitor());
        probe.setResIndex(store->ResIndex());
        int nonEmpty = 0;
        for (const QString &pattern : patternsFrom(records, rng, 120)) {
            if (!vorlan::isSearchable(pattern)) {
                continue; // runs no search at all; covered by the unit tests
            }
            probe.setSearchText(pattern);
            probe.StartSearch();
            const vorlan::ResultList expected = vorlan::testing::referenceSearch(records, pattern);
            ASSERT_EQ(probe.FoundList()->values(), expected.values()) << pattern.toStdString();
            nonEmpty += expected.Count() > 0 ? 1 : 0;
        }
        EXPECT_GT(nonEmpty, 60);
    }
}

} // namespace
