#include "cdic.h"
#include "errors.h"
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vorlan::cDic;
using vorlan::MemoryResourceProvider;
using vorlan::testing::FixtureLists;

namespace {

class DicTest : public ::testing::Test {
protected:
    static MemoryResourceProvider providerFor(const FixtureLists &lists) {
        MemoryResourceProvider provider;
        vorlan::testing::addDictionary(provider, lists);
        return provider;
    }
    int32_t faIndex(const QString &word) const {
        return static_cast<int32_t>(lists.fa.indexOf(word));
    }
    int32_t enIndex(const QString &word) const {
        return static_cast<int32_t>(lists.en.indexOf(word));
    }
    std::vector<int32_t> findFa(const QString &query) {
        dic.FindFa(query);
        return dic.FindListFa ? dic.FindListFa->values() : std::vector<int32_t>{};
    }

    FixtureLists lists = vorlan::testing::smallDictionary();
    MemoryResourceProvider provider = providerFor(lists);
    cDic dic{provider};
};

TEST_F(DicTest, PairsHeadwordsWithMeaningsByIndex) {
    EXPECT_EQ(dic.GetEnWord(0), u"A"_s);
    EXPECT_EQ(dic.GetEnMean(0), lists.en2fa[0]);
    EXPECT_EQ(dic.GetFaWord(0), lists.fa[0]);
    EXPECT_EQ(dic.GetFaMean(0), u"Water - Aqueous - Bree"_s);
    const auto lastFa = static_cast<int32_t>(lists.fa.size() - 1);
    const auto lastEn = static_cast<int32_t>(lists.en.size() - 1);
    EXPECT_EQ(dic.GetFaMean(lastFa), u"Countryside"_s); // FA2EN has no trailing U+0000
    EXPECT_EQ(dic.GetFaWord(lastFa), lists.fa.last() + QChar(0));
    EXPECT_EQ(dic.GetEnWord(lastEn), u"Zymosthenic"_s + QChar(0));
    EXPECT_THROW(dic.GetEnMean(lastEn + 1), vorlan::SubscriptOutOfRangeError);
    EXPECT_THROW(dic.GetFaWord(-1), vorlan::SubscriptOutOfRangeError);
}

TEST_F(DicTest, SearchesKeepTheirOwnLanguage) {
    EXPECT_EQ(dic.FindListEn, nullptr);
    EXPECT_EQ(dic.FindListFa, nullptr);
    dic.FindEn(u"a"_s);
    EXPECT_EQ(dic.FindListEn, nullptr); // too short: no search has run yet

    dic.FindEn(u"*ab*"_s);
    const vorlan::ResultListRef english = dic.FindListEn;
    ASSERT_TRUE(english);
    EXPECT_EQ(english->values(), (std::vector<int32_t>{enIndex(u"Aba"_s), enIndex(u"Abacus"_s),
                                                       enIndex(u"Ablate"_s), enIndex(u"Lab"_s)}));
    dic.FindEn(u"x"_s);
    EXPECT_EQ(dic.FindListEn, english);
    EXPECT_EQ(dic.FindListFa, nullptr);

    dic.FindFa(u"\u0622\u0628"_s);
    EXPECT_EQ(dic.FindListFa->values(), (std::vector<int32_t>{0}));
    EXPECT_EQ(dic.FindListEn, english);
}

TEST_F(DicTest, FoldsTypedPersianLetters) {
    const QString book = u"\u0643\u062A\u0627\u0628"_s; // with kaf
    const QString library = u"\u0643\u062A\u0627\u0628\u062E\u0627\u0646\u0647"_s;
    const QString sunny = u"\u0622\u0641\u062A\u0627\u0628\u064A"_s;
    const QString sunDo = sunny + u" \u0643\u0631\u062F\u0646"_s;
    const struct {
        QString query;
        std::vector<int32_t> found;
    } cases[] = {
        {u"*\u06A9\u062A\u0627\u0628*"_s, {faIndex(book), faIndex(library)}}, // typed with keheh
        {u"\u06CC\u06A9"_s, {faIndex(u"\u064A\u0643"_s)}},                    // Farsi yeh and keheh
        {u"*\u0622\u0641\u062A\u0627\u0628\u0649*"_s, {faIndex(sunDo)}},      // alef maksura
        {u"\u0622\u0641\u062A\u0627\u0628\u0649\u0643\u0631\u062F\u0646"_s, {faIndex(sunDo)}},
        {u"\u0622\u0641\u062A\u0627\u0628\u0649 \u0643\u0631\u062F\u0646"_s, {}}, // two spaces
        {sunny + u"\u200F\u0643\u0631\u062F\u0646"_s, {faIndex(sunDo)}},          // RTL mark
        {sunny + u"\u200C\u0643\u0631\u062F\u0646"_s, {faIndex(sunDo)}},          // ZWNJ
        {u"*\u0622\u0628?*"_s, {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(findFa(c.query), c.found) << c.query.toStdString();
    }
}

TEST(DicConstruction, FailsWhenAListIsMissing) {
    MemoryResourceProvider provider;
    FixtureLists lists = vorlan::testing::smallDictionary();
    provider.add(u"FA"_s, vorlan::testing::encodeWordList(lists.fa, true));
    provider.add(u"EN"_s, vorlan::testing::encodeWordList(lists.en, true));
    provider.add(u"EN2FA"_s, vorlan::testing::encodeWordList(lists.en2fa, true));
    EXPECT_THROW(cDic dic(provider), vorlan::ResourceNotFoundError);
}

} // namespace
