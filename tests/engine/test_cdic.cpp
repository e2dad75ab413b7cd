// The bilingual dictionary over the shared fixture lists.
#include "cdic.h"
#include "errors.h"
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vorlan::cDic;
using vorlan::MemoryResourceProvider;
using vorlan::testing::encodeWordList;

namespace {

struct DicTest : ::testing::Test {
    static MemoryResourceProvider withLists(const vorlan::testing::FixtureLists &lists) {
        MemoryResourceProvider provider;
        vorlan::testing::addDictionary(provider, lists);
        return provider;
    }
    const vorlan::testing::FixtureLists lists = vorlan::testing::smallDictionary();
    const MemoryResourceProvider provider = withLists(lists);
    cDic dic{provider};
};

TEST_F(DicTest, PairsHeadwordsWithMeaningsByIndex) {
    EXPECT_EQ(dic.GetEnWord(0), u"A"_s);
    EXPECT_EQ(dic.GetEnMean(0), lists.en2fa[0]);
    EXPECT_EQ(dic.GetFaWord(0), lists.fa[0]);
    EXPECT_EQ(dic.GetFaMean(0), u"Water - Aqueous - Bree"_s);
    const auto lastEn = static_cast<int32_t>(lists.en.size() - 1);
    EXPECT_EQ(dic.GetEnWord(lastEn), u"Zymosthenic"_s + QChar(0));
    EXPECT_EQ(dic.GetFaMean(static_cast<int32_t>(lists.fa.size() - 1)), u"Countryside"_s);
    EXPECT_THROW(dic.GetEnMean(lastEn + 1), vorlan::SubscriptOutOfRangeError);
    EXPECT_THROW(dic.GetFaWord(-1), vorlan::SubscriptOutOfRangeError);
}

TEST_F(DicTest, SearchesKeepTheirOwnLanguage) {
    const auto en = [&](const QString &word) { return int32_t(lists.en.indexOf(word)); };
    dic.FindEn(u"a"_s);
    EXPECT_EQ(dic.FindListEn, nullptr); // too short: no search has run yet

    dic.FindEn(u"*ab*"_s);
    const vorlan::ResultListRef english = dic.FindListEn;
    ASSERT_TRUE(english);
    EXPECT_EQ(english->values(),
              (std::vector{en(u"Aba"_s), en(u"Abacus"_s), en(u"Ablate"_s), en(u"Lab"_s)}));
    EXPECT_EQ(dic.FindListFa, nullptr);
    dic.FindFa(u"\u0622\u0628"_s);
    const vorlan::ResultListRef persian = dic.FindListFa;
    EXPECT_EQ(persian->values(), (std::vector<int32_t>{0}));
    EXPECT_EQ(dic.FindListEn, english);
    dic.FindEn(u"x"_s); // too short: the last English list stays
    EXPECT_EQ(dic.FindListEn, english);
    EXPECT_EQ(dic.FindListFa, persian);
}

TEST(DicConstruction, FailsWhenAListIsMissing) {
    const vorlan::testing::FixtureLists lists = vorlan::testing::smallDictionary();
    MemoryResourceProvider provider;
    provider.add(u"FA"_s, encodeWordList(lists.fa, true));
    provider.add(u"EN"_s, encodeWordList(lists.en, true));
    provider.add(u"EN2FA"_s, encodeWordList(lists.en2fa, true));
    EXPECT_THROW(cDic dic(provider), vorlan::ResourceNotFoundError);
}

} // namespace
