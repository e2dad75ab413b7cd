// The pattern language and the query folding that every search applies first.
#include "folding.h"
#include "pattern.h"
#include "referencelike.h"

#include <gtest/gtest.h>

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
        Case{u"[\u0627-\u064A]*", u"\u0628\u0627\u0628", true}, Case{u"a[]b", u"ab", true},
        Case{u"[]", u"", true}, Case{u"[!]", u"q", true},
        // '?' and ']' are ordinary characters, and so is a record's U+0000.
        Case{u"a?", u"a?", true}, Case{u"a?", u"ab", false}, Case{u"a]", u"a]", true},
        Case{u"zymosthenic", std::u16string(u"zymosthenic\0", 12), false},
        Case{u"zymosthenic*", std::u16string(u"zymosthenic\0", 12), true}));

TEST(Pattern, MalformedPatternsMatchNothing) {
    for (const std::u16string pattern : {u"[ab", u"*[", u"[z-a]", u"x[!c-a]*"}) {
        const Pattern p(pattern);
        EXPECT_FALSE(p.valid());
        EXPECT_FALSE(p.matches(u"ab") || p.matches(u"") || p.matchesGeneral(u"["));
        EXPECT_EQ(referenceMatch(u"ab", pattern), std::nullopt);
    }
}

// The common shapes must reach their fast paths; the answers themselves are
// checked above and below.
TEST(Pattern, CommonShapesTakeTheFastPaths) {
    const std::pair<std::u16string, Pattern::Shape> cases[] = {
        {u"book", Pattern::Shape::Exact},      {u"book*", Pattern::Shape::Prefix},
        {u"*book", Pattern::Shape::Suffix},    {u"**book***", Pattern::Shape::Contains},
        {u"*a[b-c]#*", Pattern::Shape::Infix}, {u"*a*#*", Pattern::Shape::General},
    };
    for (const auto &[pattern, shape] : cases) {
        EXPECT_EQ(Pattern(pattern).shape(), shape);
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
