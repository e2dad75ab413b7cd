// One broken rule at a time in an otherwise valid set of four lists.
#include "fixtures.h"
#include "wordlistvalidator.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace vorlan;
using vorlan::testing::encodeWordList;
using vorlan::testing::FixtureLists;

namespace {

WordListTexts encodeAll(const FixtureLists &l) {
    return {encodeWordList(l.en, true), encodeWordList(l.en2fa, true), encodeWordList(l.fa, true),
            encodeWordList(l.fa2en, false)};
}

struct BrokenCase {
    const char *name;
    std::function<void(FixtureLists &, WordListTexts &)> breakIt;
    WordList list;
    qsizetype record;
    WordListRule rule;
};

// Re-encodes after changing records; byte-level cases change the bytes.
void records(FixtureLists &l, WordListTexts &t, const std::function<void(FixtureLists &)> &f) {
    f(l);
    t = encodeAll(l);
}

TEST(Validator, SmallDictionaryIsValid) {
    WordListCounts counts;
    const auto v = validateWordLists(encodeAll(vorlan::testing::smallDictionary()), &counts);
    EXPECT_FALSE(v) << v->message.toStdString();
    EXPECT_EQ(counts.english, 10);
    EXPECT_EQ(counts.persian, 9);
}

TEST(Validator, ReportsTheFirstBrokenRule) {
    using R = WordListRule;
    using L = WordList;
    const QString tooLongFa = u"\u064A"_s.repeated(177);
    const BrokenCase cases[] = {
        {"no byte-order mark", [](auto &, auto &t) { t.en.remove(0, 2); }, L::En, 0,
         R::MissingByteOrderMark},
        {"odd size", [](auto &, auto &t) { t.fa2en.append('x'); }, L::Fa2En, 8, R::OddSize},
        {"lone surrogate",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en2fa[3] += QChar(0xD800); }); },
         L::En2Fa, 3, R::InvalidUtf16},
        {"lone CR",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa[2].insert(1, u'\r'); }); }, L::Fa,
         2, R::LoneCarriageReturn},
        {"lone LF",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[4] = u"Aba\ncus"_s; }); }, L::En,
         4, R::LoneLineFeed},
        {"empty record",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en2fa[5].clear(); }); }, L::En2Fa, 5,
         R::EmptyRecord},
        {"CR LF at the end",
         [](auto &l, auto &t) {
             t.fa2en = encodeWordList(l.fa2en, false) + QByteArray("\r\0\n\0", 4);
         },
         L::Fa2En, 9, R::SeparatorAtEnd},
        {"no final U+0000", [](auto &l, auto &t) { t.en = encodeWordList(l.en, false); }, L::En, 9,
         R::MissingFinalNul},
        {"U+0000 inside",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa[1].insert(1, QChar(0)); }); },
         L::Fa, 1, R::StrayNul},
        {"U+0000 ending FA2EN", [](auto &l, auto &t) { t.fa2en = encodeWordList(l.fa2en, true); },
         L::Fa2En, 8, R::StrayNul},
        {"meaning missing",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en2fa.removeLast(); }); }, L::En2Fa,
         9, R::RecordCountMismatch},
        {"meaning too many",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa2en << u"Extra"_s; }); }, L::Fa2En,
         9, R::RecordCountMismatch},
        {"leading space",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[2].prepend(u' '); }); }, L::En, 2,
         R::LeadingOrTrailingSpace},
        {"trailing space",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa2en[3].append(u' '); }); },
         L::Fa2En, 3, R::LeadingOrTrailingSpace},
        {"EN headword of 33",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[9] += u"x"_s.repeated(22); }); },
         L::En, 9, R::TooLong},
        {"FA headword of 177",
         [&](auto &l, auto &t) { records(l, t, [&](auto &l) { l.fa[8] = tooLongFa; }); }, L::Fa, 8,
         R::TooLong},
        {"EN2FA meaning of 326",
         [](auto &l, auto &t) {
             records(l, t, [](auto &l) { l.en2fa[0] = u"\u0628"_s.repeated(326); });
         },
         L::En2Fa, 0, R::TooLong},
        {"FA2EN meaning of 789",
         [](auto &l, auto &t) {
             records(l, t, [](auto &l) { l.fa2en[0] = u"W"_s.repeated(789); });
         },
         L::Fa2En, 0, R::TooLong},
        {"lower-case EN",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[6] = u"bar"_s; }); }, L::En, 6,
         R::NoCapitalStart},
        {"EN punctuation",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[6] = u"Bar!"_s; }); }, L::En, 6,
         R::DisallowedCharacter},
        {"EN accent",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[7] = u"Cross-\u00E9yed"_s; }); },
         L::En, 7, R::DisallowedCharacter},
        {"FA2EN not ASCII",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa2en[5] = u"B\u014Dok"_s; }); },
         L::Fa2En, 5, R::DisallowedCharacter},
        {"FA letter outside the 34",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa[5] += u"\u06A4"_s; }); }, L::Fa, 5,
         R::DisallowedCharacter},
        {"FA without Persian letter",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa[8] = u"zzz"_s; }); }, L::Fa, 8,
         R::NoPersianLetter},
        {"EN duplicate ignoring case",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en[3] = u"AARDWOLF"_s; }); }, L::En,
         3, R::Duplicate},
        {"EN out of order",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.en.swapItemsAt(6, 7); }); }, L::En, 7,
         R::OutOfOrder},
        {"FA duplicate",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa[6] = l.fa[5]; }); }, L::Fa, 6,
         R::Duplicate},
        // Code-unit order would accept آپ after آفتابي كردن; the Persian order does not.
        {"FA out of order",
         [](auto &l, auto &t) { records(l, t, [](auto &l) { l.fa[5] = u"\u0622\u067E"_s; }); },
         L::Fa, 5, R::OutOfOrder},
    };
    for (const auto &c : cases) {
        FixtureLists lists = vorlan::testing::smallDictionary();
        WordListTexts texts = encodeAll(lists);
        c.breakIt(lists, texts);
        const auto v = validateWordLists(texts);
        ASSERT_TRUE(v) << c.name;
        EXPECT_EQ(v->list, c.list) << c.name;
        EXPECT_EQ(v->record, c.record) << c.name;
        EXPECT_EQ(v->rule, c.rule) << c.name << ": " << v->message.toStdString();
        EXPECT_FALSE(v->message.isEmpty()) << c.name;
    }
}

// Each forbidden letter form, in a Persian headword and in a Persian meaning.
TEST(Validator, ForbiddenPersianLetterForms) {
    const char16_t forms[] = {0x06CC, 0x06A9, 0x0623, 0x0625, 0x0629, 0x0649, 0x064B,
                              0x064E, 0x0652, 0x0670, 0x0640, 0x061F, 0x200C, 0x200F};
    for (const char16_t f : forms) {
        for (const WordList list : {WordList::Fa, WordList::En2Fa}) {
            FixtureLists l = vorlan::testing::smallDictionary();
            (list == WordList::Fa ? l.fa[5] : l.en2fa[2]).append(QChar(f));
            const auto v = validateWordLists(encodeAll(l));
            ASSERT_TRUE(v) << std::hex << unsigned(f);
            EXPECT_EQ(v->list, list) << std::hex << unsigned(f);
            EXPECT_EQ(v->record, list == WordList::Fa ? 5 : 2) << std::hex << unsigned(f);
            EXPECT_EQ(v->rule, WordListRule::ForbiddenLetterForm) << std::hex << unsigned(f);
        }
    }
}

TEST(Validator, ReportsTheRecordText) {
    FixtureLists l = vorlan::testing::smallDictionary();
    l.en[6] = u"bar"_s;
    const auto v = validateWordLists(encodeAll(l));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->text, u"bar"_s);
}

} // namespace
