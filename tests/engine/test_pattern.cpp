#include "pattern.h"
#include "referencelike.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using vorlan::Pattern;
using vorlan::testing::referenceMatch;

namespace {

struct Case {
    std::u16string pattern;
    std::u16string text;
    bool matches;
};

class PatternCases : public ::testing::TestWithParam<Case> {};

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
        Case{u"**", u"", true}, Case{u"*", u"anything", true}, Case{u"", u"", true},
        Case{u"", u"a", false},
        // '#' is one ASCII digit.
        Case{u"#", u"7", true}, Case{u"#", u"x", false}, Case{u"#", u"\u06F7", false},
        Case{u"*#*", u"route 66", true}, Case{u"a#", u"a", false},
        // Character lists.
        Case{u"[abc]", u"b", true}, Case{u"[abc]", u"d", false}, Case{u"[a-c]x", u"bx", true},
        Case{u"[a-c]x", u"dx", false}, Case{u"[!a-c]", u"d", true}, Case{u"[!a-c]", u"b", false},
        Case{u"[a-]", u"-", true}, Case{u"[-a]", u"-", true}, Case{u"[!-]", u"-", false},
        Case{u"[*?#[]", u"?", true}, Case{u"[*?#[]", u"[", true}, Case{u"[*?#[]", u"a", false},
        Case{u"[a-cx-z]", u"y", true}, Case{u"[a-cx-z]", u"m", false},
        Case{u"[\u0627-\u064A]*", u"\u0628\u0627\u0628", true}, Case{u"a[]b", u"ab", true},
        Case{u"[]", u"", true}, Case{u"[!]", u"q", true},
        // '?' and ']' are ordinary characters.
        Case{u"a?", u"a?", true}, Case{u"a?", u"ab", false}, Case{u"a]", u"a]", true},
        Case{u"!a", u"!a", true},
        // A U+0000 in a record is an ordinary character.
        Case{u"zymosthenic", std::u16string(u"zymosthenic\0", 12), false},
        Case{u"zymosthenic*", std::u16string(u"zymosthenic\0", 12), true}));

TEST(Pattern, MalformedPatternsMatchNothing) {
    for (const std::u16string pattern : {u"[ab", u"*[", u"[z-a]", u"x[!c-a]*", u"["}) {
        const Pattern p(pattern);
        EXPECT_FALSE(p.valid());
        EXPECT_FALSE(p.matches(u"ab"));
        EXPECT_FALSE(p.matches(u""));
        EXPECT_FALSE(p.matchesGeneral(u"["));
        EXPECT_EQ(referenceMatch(u"ab", pattern), std::nullopt);
    }
}

TEST(Pattern, ClassifiesLiteralShapes) {
    const struct {
        std::u16string pattern;
        Pattern::Shape shape;
        std::u16string literal;
    } cases[] = {
        {u"book", Pattern::Shape::Exact, u"book"},
        {u"book*", Pattern::Shape::Prefix, u"book"},
        {u"*book", Pattern::Shape::Suffix, u"book"},
        {u"**book***", Pattern::Shape::Contains, u"book"},
        {u"*b*k*", Pattern::Shape::General, u""},
        {u"[a-z]*", Pattern::Shape::General, u""},
        {u"*#*", Pattern::Shape::Infix, u""},
        {u"**a[b-c]#**", Pattern::Shape::Infix, u""},
        {u"*a*#*", Pattern::Shape::General, u""},
        {u"*", Pattern::Shape::General, u""},
        {u"[", Pattern::Shape::Invalid, u""},
    };
    for (const auto &c : cases) {
        const Pattern p(c.pattern);
        EXPECT_EQ(p.shape(), c.shape);
        EXPECT_EQ(std::u16string(p.literal()), c.literal);
    }
}

// Random patterns over a small alphabet, so that wildcards, lists and
// literals collide often, checked against the dynamic-programming reading.
TEST(Pattern, AgreesWithReferenceOnRandomInput) {
    std::mt19937 rng(20261206);
    const std::u16string patternAlphabet = u"ab*#[]!-?1\u0628";
    const std::u16string textAlphabet = u"ab1-?[]\u0628";
    auto randomString = [&](const std::u16string &alphabet, int maxLen) {
        std::u16string s;
        const int len = std::uniform_int_distribution<int>(0, maxLen)(rng);
        for (int i = 0; i < len; ++i) {
            s += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        }
        return s;
    };
    int compared = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::u16string pattern = randomString(patternAlphabet, 8);
        const std::u16string text = randomString(textAlphabet, 10);
        const Pattern p(pattern);
        const std::optional<bool> expected = referenceMatch(text, pattern);
        ASSERT_EQ(p.valid(), expected.has_value());
        ASSERT_EQ(p.matches(text), expected.value_or(false));
        ASSERT_EQ(p.matchesGeneral(text), expected.value_or(false));
        compared += expected.value_or(false) ? 1 : 0;
    }
    EXPECT_GT(compared, 500); // the generator must actually produce matches
}

} // namespace
