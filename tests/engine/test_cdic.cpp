// The bilingual dictionary over the shared fixture lists.
#include "cdic.h"
#include "errors.h"
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vorlan::cDic;
using vorlan::Language;
using vorlan::MemoryResourceProvider;
using vorlan::testing::encodeWordList;
using vorlan::testing::smallDictionary;

namespace {

// What a pane lists for what is typed, in word-list order, and the row it
// selects. The languages take turns so that one language's search cannot pass
// for the other's. Without one of its four lists there is no dictionary.
TEST(Dic, LookupListsAndSelectsAsThePaneShows) {
    const vorlan::testing::FixtureLists lists = smallDictionary();
    MemoryResourceProvider provider;
    provider.add(u"FA"_s, encodeWordList(lists.fa, true));
    provider.add(u"EN"_s, encodeWordList(lists.en, true));
    provider.add(u"EN2FA"_s, encodeWordList(lists.en2fa, true));
    EXPECT_THROW(cDic missing(provider), vorlan::ResourceNotFoundError); // no FA2EN
    vorlan::testing::addDictionary(provider, lists);
    cDic dic(provider);
    constexpr Language En = Language::English;
    constexpr Language Fa = Language::Persian;
    const struct {
        Language language;
        QString typed;
        bool exact;
        QString rows;
        QString selected;
    } cases[] = {
        {En, u"a"_s, false, {}, {}}, // too short to search
        {En, u"ar"_s, false, u"A La Carte|Aardwolf|Bar|Star"_s, {}},
        {Fa, u"آب"_s, false, u"آب|آب آورد"_s, u"آب"_s},
        {En, u"ab?"_s, false, {}, {}},                         // '?' is U+061F, never a wildcard
        {Fa, u"کتاب"_s, false, u"كتاب|كتابخانه"_s, u"كتاب"_s}, // keheh
        {En, u" la"_s, false, u"A La Carte"_s, {}},
        {Fa, u"آفتابى"_s, false, u"آفتابي كردن"_s, {}}, // alef maksura: yeh and a space
        {En, u"BOOK"_s, false, u"Book|Bookcase"_s, u"Book"_s},
        {Fa, u"آفتابىكردن"_s, false, u"آفتابي كردن"_s, u"آفتابي كردن"_s},
        {En, u"aardwol"_s, false, u"Aardwolf"_s, {}},
        {Fa, u"یک"_s, false, u"يك"_s, u"يك"_s}, // Farsi yeh and keheh
        {En, u"zymosthenic"_s, false, u"Zymosthenic"_s, u"Zymosthenic"_s},
        {Fa, u"آفتابي\u200Cكردن"_s, false, u"آفتابي كردن"_s, u"آفتابي كردن"_s},
        {En, u"[ab"_s, false, {}, {}},
        {Fa, u"آ"_s, false, {}, {}},
        {En, u"ab*"_s, true, u"Aba|Abacus|Ablate"_s, {}},
        {En, u"zymosthenic"_s, true, {}, {}}, // the last record's U+0000 needs a star
        {En, u"cross-eyed"_s, true, u"Cross-eyed"_s, u"Cross-eyed"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const vorlan::PaneRows found = dic.Lookup(c.language, c.typed, c.exact);
        QStringList rows;
        for (const int32_t r : found.records) {
            rows << vorlan::visibleText(c.language == En ? dic.GetEnWord(r) : dic.GetFaWord(r))
                        .toString();
        }
        EXPECT_EQ(rows.join(u'|'), c.rows);
        EXPECT_EQ(found.selected < 0 ? QString() : rows[found.selected], c.selected);
    }
    // The meaning lists pair with the headwords by index, to the last record.
    EXPECT_EQ(std::pair(dic.GetEnMean(2), dic.GetFaMean(9)),
              std::pair(u"كفتار"_s, u"Countryside"_s));
}

} // namespace
