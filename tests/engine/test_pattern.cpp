// The pattern language and the query folding that every search applies first.
#include "folding.h"
#include "pattern.h"
#include "referencelike.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <random>
#include <string>

using namespace Qt::StringLiterals;
using vorlan::Pattern;
using vorlan::testing::referenceMatch;

namespace {

struct Case {
    std::u16string pattern;
    std::u16string text;
    bool matches;
};

// Failures name the pattern and the text, other units than printable ASCII
// as \uXXXX.
void PrintTo(const Case &c, std::ostream *os) {
    auto put = [os](const std::u16string &s) {
        for (char16_t u : s) {
            if (u >= 0x20 && u < 0x7F) {
                *os << static_cast<char>(u);
            } else {
                *os << "\\u" << std::hex << std::uppercase << static_cast<int>(u) << std::dec;
            }
        }
    };
    *os << '"';
    put(c.pattern);
    *os << "\" against \"";
    put(c.text);
    *os << '"';
}

// Lone surrogates cannot be written as literals.
std::u16string units(std::initializer_list<char16_t> list) {
    return std::u16string(list);
}

class PatternCases : public ::testing::TestWithParam<Case> {};

// The fast paths, the plain matcher and the reference all agree on each case.
TEST_P(PatternCases, MatchesWholeRecord) {
    const Case &c = GetParam();
    const Pattern p(c.pattern);
    EXPECT_EQ(p.matches(c.text), c.matches);
    EXPECT_EQ(p.matchesGeneral(c.text), c.matches);
    EXPECT_EQ(referenceMatch(c.text, c.pattern), std::optional<bool>(c.matches));
}

INSTANTIATE_TEST_SUITE_P(
    Language, PatternCases,
    ::testing::Values(
        // Anchored at both ends: no implicit wildcard.
        Case{u"ab", u"ab", true}, Case{u"ab", u"abc", false}, Case{u"ab", u"xab", false},
        Case{u"ab*", u"abc", true}, Case{u"ab*", u"ab", true}, Case{u"ab*", u"xab", false},
        Case{u"*ab", u"xab", true}, Case{u"*ab", u"abx", false}, Case{u"*ab*", u"xxabyy", true},
        Case{u"*ab*", u"a b", false}, Case{u"a*b*c", u"axxbyyc", true},
        Case{u"a*b*c", u"acb", false},
        Case{u"*a*a*a*b", u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        Case{u"**", u"", true}, Case{u"", u"", true}, Case{u"", u"a", false},
        // '#' is one ASCII digit.
        Case{u"#", u"7", true}, Case{u"#", u"x", false}, Case{u"#", u"\u06F7", false},
        Case{u"*#*", u"route 66", true}, Case{u"a#", u"a", false},
        // Character lists.
        Case{u"[abc]", u"b", true}, Case{u"[abc]", u"d", false}, Case{u"[a-c]x", u"bx", true},
        Case{u"[a-c]x", u"dx", false}, Case{u"[!a-c]", u"d", true}, Case{u"[!a-c]", u"b", false},
        Case{u"[a-]", u"-", true}, Case{u"[-a]", u"-", true}, Case{u"[!-]", u"-", false},
        Case{u"[*?#[]", u"?", true}, Case{u"[*?#[]", u"[", true}, Case{u"[*?#[]", u"a", false},
        Case{u"[a-cx-z]", u"y", true}, Case{u"[a-cx-z]", u"m", false},
        Case{u"[\u0627-\u064A]*", u"\u0628\u0627\u0628", true},
        // '?' and ']' are ordinary characters, and so is a record's U+0000.
        Case{u"a?", u"a?", true}, Case{u"a?", u"ab", false}, Case{u"a]", u"a]", true},
        Case{u"zymosthenic", std::u16string(u"zymosthenic\0", 12), false},
        Case{u"zymosthenic*", std::u16string(u"zymosthenic\0", 12), true}));

// A list holds the characters named in it: a range whose first unit is above
// its second names none, so an empty or descending list matches no character
// and its negation any one. The list ends at the first ']' after its '[' (and
// '!'), and '-' is a range only between two characters.
INSTANTIATE_TEST_SUITE_P(
    ListCorners, PatternCases,
    ::testing::Values(
        Case{u"[z-a]", u"a", false}, Case{u"[z-a]", u"m", false}, Case{u"[z-a]", u"", false},
        Case{u"[!z-a]", u"a", true}, Case{u"[!z-a]", u"-", true}, Case{u"[!z-a]", u"", false},
        Case{u"[!z-a]", u"ab", false}, Case{u"*[z-a]*", u"za", false},
        Case{u"x[!z-a]*", u"xq", true}, Case{u"[c-ab]", u"b", true}, Case{u"[c-ab]", u"c", false},
        Case{u"[]", u"", false}, Case{u"[]", u"a", false}, Case{u"a[]b", u"ab", false},
        Case{u"*[]*", u"abc", false}, Case{u"[!]", u"q", true}, Case{u"[!]", u"", false},
        Case{u"[!]", u"ab", false}, Case{u"a[!]b", u"a]b", true}, Case{u"a[!]b", u"ab", false},
        Case{u"[a-]", u"-", true}, Case{u"[a-]", u"a", true}, Case{u"[a-]", u"b", false},
        Case{u"[-a]", u"-", true}, Case{u"[-a]", u"a", true}, Case{u"[!-]", u"-", false},
        Case{u"[!-]", u"a", true}, Case{u"[a-c-e]", u"-", true}, Case{u"[a-c-e]", u"d", false},
        Case{u"[--0]", u".", true}, Case{u"[--0]", u"1", false}, Case{u"[a--]", u"a", false},
        Case{u"[a--]", u"-", false}, Case{u"]", u"]", true}, Case{u"[a]]", u"a]", true},
        Case{u"[a]]", u"a", false}, Case{u"[]]", u"]", false}, Case{u"[!]]", u"x]", true},
        Case{u"[[]", u"[", true}, Case{u"[[]]", u"[]", true}, Case{u"[!!]", u"!", false},
        Case{u"[a!]", u"!", true}, Case{u"[*?#]", u"#", true}, Case{u"[*?#]", u"5", false},
        // Code units, not characters: a pair in a pattern is two list members,
        // a pair in a record two characters to match.
        Case{units({u'[', 0xD800, u'-', 0xDFFF, u']'}), units({0xDE00}), true},
        Case{u"[\U0001F600]", u"\U0001F600", false},
        Case{u"[\U0001F600][\U0001F600]", u"\U0001F600", true},
        Case{u"[\U0001F600][\U0001F600]", units({0xDE00, 0xD83D}), true},
        Case{units({u'[', 0xDFFF, u'-', 0xD800, u']'}), units({0xD900}), false},
        Case{units({u'[', u'!', 0xDFFF, u'-', 0xD800, u']'}), units({0xD900}), true},
        Case{u"[\uFFFF]", u"\uFFFF", true}, Case{u"[\uFFFE-\uFFFF]", u"\uFFFD", false},
        // Around the end of the bitmap (U+0800) and ranges merged above it.
        Case{u"[\u07FF-\u0801]", u"\u07FF", true}, Case{u"[\u07FF-\u0801]", u"\u0801", true},
        Case{u"[\u07FF-\u0801]", u"\u0802", false}, Case{u"[\u07FF-\u0801]", u"\u07FE", false},
        Case{u"[\u0A00\u0905-\u0920\u0900-\u0910\u0921]", u"\u0921", true},
        Case{u"[\u0A00\u0905-\u0920\u0900-\u0910\u0921]", u"\u0922", false},
        Case{u"[\u0A00\u0905-\u0920\u0900-\u0910\u0921]", u"\u0A00", true},
        Case{u"[\u0A00\u0905-\u0920\u0900-\u0910\u0921]", u"\u08FF", false},
        Case{u"[!\u0800-\uFFFF]", u"a", true}, Case{u"[!\u0800-\uFFFF]", u"\u0800", false}));

// Lists as long as the search box allows are read the same way.
TEST(Pattern, LongListsMeanWhatTheyName) {
    std::u16string zeros;
    for (int i = 0; i < 9999; ++i) {
        zeros += u"0-0";
    }
    // Every other unit from U+0021 up, in descending order: none touches another.
    std::u16string scattered;
    for (int c = 0xFFFF; c >= 0x21; --c) {
        if (c % 2 == 1 && c != u'-' && c != u']') {
            scattered.push_back(static_cast<char16_t>(c));
        }
    }
    const Pattern notZero(u"*[!" + zeros + u"]#");
    const Pattern odd(u"[" + scattered + u"]");
    for (char16_t c :
         {u'0', u'1', u'a', u'b', u'\u07FF', u'\u0800', u'\u0801', u'\uFFFE', u'\uFFFF'}) {
        const std::u16string text{c};
        EXPECT_EQ(notZero.matches(text + u'7'), c != u'0') << int(c);
        EXPECT_EQ(odd.matches(text), c % 2 == 1) << int(c);
        EXPECT_EQ(odd.matchesGeneral(text), c % 2 == 1) << int(c);
    }
}

TEST(Pattern, UnclosedListIsMalformedAndMatchesNothing) {
    for (const std::u16string pattern : {u"[ab", u"*[", u"[", u"[!", u"x[!c-a*", u"a]["}) {
        const Pattern p(pattern);
        EXPECT_FALSE(p.valid());
        EXPECT_FALSE(p.matches(u"ab") || p.matches(u"") || p.matchesGeneral(u"["));
        EXPECT_EQ(referenceMatch(u"ab", pattern), std::nullopt);
    }
}

// The common shapes must reach their fast paths; the answers themselves are
// checked above and below.
TEST(Pattern, CommonShapesTakeTheFastPaths) {
    std::u16string anyOf63 = u"*";
    for (int i = 0; i < 63; ++i) {
        anyOf63 += u"[!]";
    }
    const struct {
        std::u16string pattern;
        Pattern::Shape shape;
        bool states;
    } cases[] = {
        {u"book", Pattern::Shape::Exact, false},
        {u"book*", Pattern::Shape::Prefix, false},
        {u"*book", Pattern::Shape::Suffix, false},
        {u"**book***", Pattern::Shape::Contains, false},
        {u"*a[b-c]#*", Pattern::Shape::General, true},
        {u"*a*#*", Pattern::Shape::General, true},
        {anyOf63, Pattern::Shape::General, true},
        {anyOf63 + u'q', Pattern::Shape::General, false}, // 64 tokens: retries from the star
    };
    for (const auto &c : cases) {
        const Pattern p(c.pattern);
        EXPECT_EQ(p.shape(), c.shape) << c.pattern.size();
        EXPECT_EQ(p.runsAsStates(), c.states) << c.pattern.size();
    }
}

// Patterns with as many tokens as the states hold, and one more, against
// records around their length.
TEST(Pattern, AgreesWithReferenceAtTheLimitOfTheStates) {
    for (const int tokens : {62, 63, 64}) {
        std::u16string anyThenQ;
        for (int i = 1; i < tokens; ++i) {
            anyThenQ += u"[!]";
        }
        anyThenQ += u'q';
        const std::u16string patterns[] = {std::u16string(1, u'*').append(anyThenQ),
                                           anyThenQ + u'*',
                                           std::u16string(1, u'*').append(anyThenQ) + u'*',
                                           std::u16string(u"a*").append(anyThenQ)};
        for (const std::u16string &pattern : patterns) {
            const Pattern p(pattern);
            for (const int length : {tokens - 1, tokens, tokens + 1, tokens + 5}) {
                const std::u16string as(length - 1, u'a');
                const std::u16string qs(length - 1, u'q');
                for (const std::u16string &text :
                     {as + u'a', as + u'q', std::u16string(1, u'q').append(as),
                      std::u16string(1, u'a').append(qs)}) {
                    ASSERT_EQ(p.matches(text), referenceMatch(text, pattern).value())
                        << tokens << " tokens, " << length << " characters";
                }
            }
        }
    }
}

// Lists over units around the bitmap's end and the surrogates, where the
// compiled form takes its other path, against the reference.
TEST(Pattern, AgreesWithReferenceOnWideLists) {
    std::mt19937 rng(32767);
    const std::u16string alphabet = u"az-!\u07FE\u07FF\u0800\u0801\u0900\u0901" +
                                    units({0xD83D, 0xDE00, 0xDFFF}) + u"\uFFFE\uFFFF";
    auto pick = [&] {
        return alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    };
    for (int round = 0; round < 5000; ++round) {
        std::u16string pattern = u"[";
        const auto length = std::uniform_int_distribution<int>(0, 12)(rng);
        for (int i = 0; i < length; ++i) {
            pattern.push_back(pick());
        }
        pattern += u"]";
        const Pattern p(pattern);
        for (char16_t c : alphabet) {
            const std::u16string text{c};
            ASSERT_EQ(p.matches(text), referenceMatch(text, pattern).value()) << round;
        }
    }
}

// Random patterns over a small alphabet, so that wildcards, lists and
// literals collide often, checked against the dynamic-programming reading.
TEST(Pattern, AgreesWithReferenceOnRandomInput) {
    std::mt19937 rng(20261206);
    auto randomString = [&](std::u16string_view alphabet, int maxLen) {
        std::u16string s(std::uniform_int_distribution<std::size_t>(0, maxLen)(rng), u' ');
        for (char16_t &c : s) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        }
        return s;
    };
    int matched = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::u16string pattern = randomString(u"ab*#[]!-?1\u0628", 8);
        const std::u16string text = randomString(u"ab1-?[]\u0628", 10);
        const Pattern p(pattern);
        const std::optional<bool> expected = referenceMatch(text, pattern);
        ASSERT_EQ(p.valid(), expected.has_value());
        ASSERT_EQ(p.matches(text), expected.value_or(false));
        ASSERT_EQ(p.matchesGeneral(text), expected.value_or(false));
        matched += expected.value_or(false) ? 1 : 0;
    }
    EXPECT_GT(matched, 500); // the generator must actually produce matches
}

TEST(Folding, FoldsInOrderWithoutLowerCasing) {
    const std::pair<QString, QString> cases[] = {
        {u"Book?"_s, u"Book\u061F"_s},
        {u"\u06A9\u062A\u0627\u0628"_s, u"\u0643\u062A\u0627\u0628"_s},
        {u"\u0622\u0641\u062A\u0627\u0628\u0649"_s, u"\u0622\u0641\u062A\u0627\u0628\u064A "_s},
        {u"a\u200Fb"_s, u"a b"_s},
        {u"\u06CC"_s, u"\u064A"_s},
        {u"a\u200Cb"_s, u"a b"_s},
        {u"\u00FE*[A-Z]#"_s, u"\u00FE*[A-Z]#"_s}, // code 254 of Windows-1252 is not ours
    };
    for (const auto &[in, folded] : cases) {
        EXPECT_EQ(vorlan::foldQuery(in), folded) << in.toStdString();
    }
    EXPECT_EQ(vorlan::foldQueryForSearch(u"ABC?\u06A9"_s), u"abc\u061F\u0643"_s);
}

TEST(Folding, ProbeCountsRealCharacters) {
    const std::pair<QString, bool> cases[] = {
        {u"a"_s, false}, {u" a "_s, false}, {u"a*"_s, false}, {u"?a"_s, false}, {u"*a* ?"_s, false},
        {u""_s, false},  {u" ab "_s, true}, {u"\ta"_s, true}, {u"*la"_s, true}, {u"a b"_s, true},
    };
    for (const auto &[query, searchable] : cases) {
        EXPECT_EQ(vorlan::isSearchable(query), searchable) << query.toStdString();
    }
}

} // namespace
