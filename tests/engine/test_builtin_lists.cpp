// Runs against the word lists built into the program.
#include "cdic.h"
#include "folding.h"
#include "referencelike.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;
using vorlan::Language;

namespace {

std::u16string_view units(const QString &s) {
    return {reinterpret_cast<const char16_t *>(s.utf16()), std::size_t(s.size())};
}

TEST(BuiltInResources, FetchedByTypeNameInAnyCaseWithExactBytes) {
    const vorlan::ResourceProvider &builtIn = vorlan::ResourceProvider::builtIn();
    for (const QString &name : {u"EN"_s, u"En2Fa"_s, u"fa"_s, u"FA2EN"_s}) {
        QFile file(QStringLiteral(VORLAN_WORDLIST_DIR "/") + name.toUpper());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const std::optional<QByteArray> bytes = builtIn.fetch(name, 1);
        ASSERT_TRUE(bytes.has_value()) << name.toStdString();
        EXPECT_TRUE(*bytes == file.readAll()) << name.toStdString();
    }
    EXPECT_FALSE(builtIn.fetch(u"EN"_s, 2).has_value());
    EXPECT_FALSE(builtIn.fetch(u"Dictionary"_s, 1).has_value());
}

// Patterns cut from real headwords, in every shape the search knows, looked
// up as exact patterns against the plain reading: fold the query, then
// match every record, lower-cased and its letters folded, on every search.
TEST(BuiltInLists, SearchAgreesWithReference) {
    const QString lists[] = {u"[a-m]"_s, u"[!a-e]"_s, u"#"_s, u"[\u0627-\u0628]"_s, u"[-']"_s};
    std::mt19937 rng(52448);
    vorlan::cDic dic;
    for (const Language language : {Language::English, Language::Persian}) {
        const vorlan::ResourceTools &store =
            language == Language::English ? dic.enWords() : dic.faWords();
        QStringList records;
        QStringList lowered; // as the search compares records; loose: آ read as ا
        QStringList loose;
        for (int32_t i = 0; i <= store.RecordNumber(); ++i) {
            records << store.GetIndex(i);
            QString folded = records.back().toLower();
            for (QChar &c : folded) {
                c = QChar(vorlan::foldLetter(c.unicode()));
            }
            lowered << folded;
            loose << folded.replace(u'\u0622', u'\u0627');
        }
        std::uniform_int_distribution<qsizetype> pickWord(0, records.size() - 1);
        int searched = 0;
        int nonEmpty = 0;
        while (searched < 120) {
            const QString word = records[pickWord(rng)].section(QChar(0), 0, 0);
            if (word.size() < 3) {
                continue;
            }
            const auto start = std::uniform_int_distribution<qsizetype>(0, word.size() - 2)(rng);
            const auto length = std::uniform_int_distribution<qsizetype>(
                2, std::min<qsizetype>(5, word.size() - start))(rng);
            const QString piece = word.mid(start, length);
            const QString head = piece.left(1);
            const QString tail = piece.mid(1);
            const QString shapes[] = {u'*' + piece + u'*',
                                      piece + u'*',
                                      u'*' + piece,
                                      word.toUpper(),
                                      u'*' + head + u'*' + tail + u'*',
                                      lists[rng() % 5] + u'*' + piece + u'*',
                                      u'*' + head + u'?' + tail + u'*',
                                      u"* "_s + piece + u'*',
                                      u'*' + head + u"[!-]"_s + tail + u'*'};
            const QString &pattern = shapes[searched % 9];
            if (!vorlan::isSearchable(pattern)) {
                continue; // runs no search at all
            }
            ++searched;
            std::vector<int32_t> expected;
            const QString folded = vorlan::foldQueryForSearch(pattern);
            for (int32_t i = 0; i < records.size(); ++i) {
                const QString &record = vorlan::looseAlef(folded) ? loose[i] : lowered[i];
                if (vorlan::testing::referenceMatch(units(record), units(folded)).value_or(false)) {
                    expected.push_back(i);
                }
            }
            ASSERT_EQ(dic.Lookup(language, pattern, true).records, expected)
                << pattern.toStdString();
            nonEmpty += expected.empty() ? 0 : 1;
        }
        EXPECT_GT(nonEmpty, 60);
    }
}

} // namespace
