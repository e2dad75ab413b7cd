// One broken rule at a time in an otherwise valid set of four lists.
#include "fixtures.h"
#include "wordlistvalidator.h"

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;
using namespace vorlan;
using vorlan::testing::encodeWordList;
using Lists = vorlan::testing::FixtureLists;

namespace {

WordListTexts encodeAll(const Lists &l) {
    return {encodeWordList(l.en, true), encodeWordList(l.en2fa, true), encodeWordList(l.fa, true),
            encodeWordList(l.fa2en, false)};
}

// The member for one list, of the records or of the texts.
template <typename Four> auto &of(Four &four, WordList list) {
    return four.*std::array{&Four::en, &Four::en2fa, &Four::fa, &Four::fa2en}[int(list)];
}

TEST(Validator, ReportsTheBrokenRuleAndWhere) {
    using enum WordList;
    const Lists valid = vorlan::testing::smallDictionary();
    WordListCounts counts;
    const auto ok = validateWordLists(encodeAll(valid), &counts);
    EXPECT_FALSE(ok) << ok->message.toStdString();
    EXPECT_EQ(counts.english, valid.en.size());
    EXPECT_EQ(counts.persian, valid.fa.size());

    using enum WordListRule;
    using Bytes = void (*)(QByteArray &);
    constexpr qsizetype Last = -1; // the last record
    constexpr qsizetype End = -2;  // just past it
    // In one list, the record set to a text (appended at End), or the list's
    // bytes changed; then the rule broken there.
    const std::tuple<WordList, qsizetype, std::optional<QString>, Bytes, WordListRule> cases[] = {
        {En, 0, {}, [](QByteArray &b) { b.remove(0, 2); }, MissingByteOrderMark},
        {Fa2En, Last, {}, [](QByteArray &b) { b.append('x'); }, OddSize},
        {En2Fa, 3, u"\u0639\xD800"_s, nullptr, InvalidUtf16},
        {Fa, 2, u"\u0622\r\u062A"_s, nullptr, LoneCarriageReturn},
        {En, 4, u"Aba\ncus"_s, nullptr, LoneLineFeed},
        {En2Fa, 5, u""_s, nullptr, EmptyRecord},
        {Fa2En, End, {}, [](QByteArray &b) { b.append("\r\0\n\0", 4); }, SeparatorAtEnd},
        {En, Last, {}, [](QByteArray &b) { b.chop(2); }, MissingFinalNul},
        {Fa2En, Last, {}, [](QByteArray &b) { b.append(2, '\0'); }, StrayNul},
        {Fa2En, End, u"Extra"_s, nullptr, RecordCountMismatch},
        {Fa2En, 3, u"Sunny "_s, nullptr, LeadingOrTrailingSpace},
        {En, Last, u"X"_s.repeated(33), nullptr, TooLong},
        {En, 6, u"bar"_s, nullptr, NoCapitalStart},
        // Each list has its own characters.
        {En, 7, u"Bar!"_s, nullptr, DisallowedCharacter},
        {Fa, 5, u"\u0643\u062A\u0627\u06A4"_s, nullptr, DisallowedCharacter},
        {Fa2En, 5, u"B\u014Dok"_s, nullptr, DisallowedCharacter},
        {En2Fa, 2, u"\u06A9"_s, nullptr, ForbiddenLetterForm},
        {Fa, 8, u"zzz"_s, nullptr, NoPersianLetter},
        {En, 3, u"AARDWOLF"_s, nullptr, Duplicate},
        {Fa, 6, u"\u0633\u062A\u0627\u0631\u0647"_s, nullptr, Duplicate},
        {En, 8, u"Ba"_s, nullptr, OutOfOrder},
        // Code-unit order would take آپ after آفتابي كردن; the Persian one does not.
        {Fa, 5, u"\u0622\u067E"_s, nullptr, OutOfOrder},
    };
    for (const auto &[list, where, text, bytes, rule] : cases) {
        SCOPED_TRACE(::testing::Message() << int(list) << " " << where << " " << int(rule));
        Lists lists = valid;
        QStringList &records = of(lists, list);
        const qsizetype record = where == Last  ? records.size() - 1
                                 : where == End ? records.size()
                                                : where;
        if (text) {
            (record < records.size() ? records[record] : records.emplace_back()) = *text;
        }
        WordListTexts texts = encodeAll(lists);
        if (bytes != nullptr) {
            bytes(of(texts, list));
        }
        const auto v = validateWordLists(texts);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->list, list);
        EXPECT_EQ(v->record, record);
        EXPECT_EQ(v->rule, rule) << v->message.toStdString();
    }
    // A meaning short, as well as one too many.
    Lists lists = valid;
    lists.en2fa.removeLast();
    const auto v = validateWordLists(encodeAll(lists));
    EXPECT_TRUE(v && v->list == En2Fa && v->record == lists.en2fa.size() &&
                v->rule == RecordCountMismatch);
    // The other letter forms and signs that Persian text must not hold.
    for (const char16_t f : {0x06CC, 0x0623, 0x0625, 0x0629, 0x0649, 0x064B, 0x064E, 0x0652, 0x0670,
                             0x0640, 0x061F, 0x200C, 0x200F}) {
        Lists l = valid;
        l.fa[5].append(QChar(f));
        const auto forbidden = validateWordLists(encodeAll(l));
        EXPECT_TRUE(forbidden && forbidden->rule == ForbiddenLetterForm) << std::hex << unsigned(f);
    }
}

} // namespace
