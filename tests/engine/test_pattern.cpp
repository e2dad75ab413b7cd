// The pattern language and the query folding that every search applies first.
#include "folding.h"
#include "pattern.h"
#include "referencelike.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;
using vorlan::Pattern;
using vorlan::testing::referenceMatch;

namespace {

using U = std::u16string; // lone surrogates cannot be written as literals

// Units other than printable ASCII as \uXXXX, for failure messages.
std::string show(std::u16string_view s) {
    std::string out;
    for (const char16_t u : s) {
        out += u >= 0x20 && u < 0x7F ? std::string(1, char(u))
                                     : QString::asprintf("\\u%04X", u).toStdString();
    }
    return out;
}

// The reference's answer, which the fast paths and the plain matcher must
// give too; nullopt for a malformed pattern, which matches nothing.
std::optional<bool> agreed(std::u16string_view pattern, std::u16string_view text) {
    const Pattern p(pattern);
    const std::optional<bool> expected = referenceMatch(text, pattern);
    EXPECT_EQ(std::tuple(p.valid(), p.matches(text), p.matchesGeneral(text)),
              std::tuple(expected.has_value(), expected.value_or(false), expected.value_or(false)))
        << show(pattern) << " against " << show(text);
    return expected;
}

// One pattern with texts that it matches (yes), does not match (no), or
// cannot match because it is malformed (bad).
struct Group {
    std::optional<bool> expected;
    U pattern;
    std::vector<U> texts;
};
const auto rows = [](std::optional<bool> expected) {
    return [expected](U pattern, auto... texts) { return Group{expected, pattern, {U(texts)...}}; };
};
const auto yes = rows(true);
const auto no = rows(false);
const auto bad = rows(std::nullopt);

TEST(Pattern, MatchesWholeRecords) {
    const U nulEnded(u"zymosthenic\0", 12);
    const U bigList = u"[\u0A00\u0905-\u0920\u0900-\u0910\u0921]";
    // Lists as long as the search box allows: the same range 9,999 times, and
    // every other unit from U+0021 up, in descending order, none touching
    // another.
    U notZero = u"*[!";
    for (int i = 0; i < 9999; ++i) {
        notZero += u"0-0";
    }
    notZero += u"]#";
    U odd = u"[";
    for (int c = 0xFFFF; c >= 0x21; c -= 2) {
        odd += c == u'-' || c == u']' ? u"" : U(1, char16_t(c));
    }
    odd += u"]";
    for (const Group &g :
         {// Anchored at both ends: no implicit wildcard.
          yes(u"ab", u"ab"), no(u"ab", u"abc", u"xab"), yes(u"ab*", u"abc", u"ab"),
          no(u"ab*", u"xab"), yes(u"*ab", u"xab"), no(u"*ab", u"abx"), yes(u"*ab*", u"xxabyy"),
          no(u"*ab*", u"a b"), yes(u"a*b*c", u"axxbyyc"), no(u"a*b*c", u"acb"),
          no(u"*a*a*a*b", U(40, u'a')), yes(u"**", u""), yes(u"", u""), no(u"", u"a"),
          // '#' is one ASCII digit.
          yes(u"#", u"7"), no(u"#", u"x", u"\u06F7"), yes(u"*#*", u"route 66"),
          no(u"a#", u"a", u"17"),
          // '?' and ']' are ordinary characters, and so is a record's U+0000.
          yes(u"a?", u"a?"), no(u"a?", u"ab"), yes(u"a]", u"a]"), yes(u"]", u"]"),
          no(u"zymosthenic", nulEnded), yes(u"zymosthenic*", nulEnded),
          // Character lists.
          yes(u"[abc]", u"b"), no(u"[abc]", u"d"), yes(u"[a-c]x", u"bx"), no(u"[a-c]x", u"dx"),
          yes(u"[!a-c]", u"d"), no(u"[!a-c]", u"b"), yes(u"[*?#[]", u"?", u"[", u"#"),
          no(u"[*?#[]", u"a", u"5"), yes(u"[a-cx-z]", u"y"), no(u"[a-cx-z]", u"m"),
          yes(u"[\u0627-\u064A]*", u"\u0628\u0627\u0628"),
          // A list holds the characters named in it: a range whose first unit
          // is above its second names none, so an empty or descending list
          // matches no character and its negation any one.
          no(u"[z-a]", u"a", u"m", u""), yes(u"[!z-a]", u"a", u"-"), no(u"[!z-a]", u"", u"ab"),
          no(u"*[z-a]*", u"za"), yes(u"x[!z-a]*", u"xq"), yes(u"[c-ab]", u"b"), no(u"[c-ab]", u"c"),
          no(u"[]", u"", u"a"), no(u"a[]b", u"ab"), no(u"*[]*", u"abc"), yes(u"[!]", u"q", u"!"),
          no(u"[!]", u"", u"ab"), yes(u"a[!]b", u"a]b"), no(u"a[!]b", u"ab"),
          // '-' is a range only between two characters.
          yes(u"[a-]", u"-", u"a"), no(u"[a-]", u"b"), yes(u"[-a]", u"-", u"a"), no(u"[!-]", u"-"),
          yes(u"[!-]", u"a"), yes(u"[a-c-e]", u"-"), no(u"[a-c-e]", u"d"), yes(u"[--0]", u"."),
          no(u"[--0]", u"1"), no(u"[a--]", u"a", u"-"),
          // The list ends at the first ']' after its '[' (and '!').
          yes(u"[a]]", u"a]"), no(u"[a]]", u"a"), no(u"[]]", u"]"), yes(u"[!]]", u"x]"),
          yes(u"[[]", u"["), yes(u"[[]]", u"[]"), no(u"[!!]", u"!"), yes(u"[a!]", u"!"),
          // Code units, not characters: a pair in a pattern is two list
          // members, a pair in a record two characters to match.
          yes(U{u'[', 0xD800, u'-', 0xDFFF, u']'}, U{0xDE00}), no(u"[\U0001F600]", u"\U0001F600"),
          yes(u"[\U0001F600][\U0001F600]", u"\U0001F600", U{0xDE00, 0xD83D}),
          no(U{u'[', 0xDFFF, u'-', 0xD800, u']'}, U{0xD900}),
          yes(U{u'[', u'!', 0xDFFF, u'-', 0xD800, u']'}, U{0xD900}), yes(u"[\uFFFF]", u"\uFFFF"),
          no(u"[\uFFFE-\uFFFF]", u"\uFFFD"),
          // Around the end of the bitmap (U+0800), ranges merged above it, and
          // lists as long as the search box allows.
          yes(u"[\u07FF-\u0801]", u"\u07FF", u"\u0801"),
          no(u"[\u07FF-\u0801]", u"\u0802", u"\u07FE"),
          yes(bigList, u"\u0911", u"\u0920", u"\u0921", u"\u0A00"),
          no(bigList, u"\u0922", u"\u08FF"), yes(u"[\u07FF-\u0800]", u"\u0800"),
          yes(u"[!\u0800-\uFFFF]", u"a"), no(u"[!\u0800-\uFFFF]", u"\u0800"),
          yes(notZero, u"17", u"a7", u"\u07FF7", u"\uFFFF7"), no(notZero, u"07", u"0"),
          yes(odd, u"1", u"a", u"\u07FF", u"\u0801", u"\uFFFF"),
          no(odd, u"0", u"b", u"\u0800", u"\uFFFE", u"-", u"]"),
          // A '[' that no ']' closes.
          bad(u"[ab", u"", u"ab"), bad(u"*[", u"ab", u"["), bad(u"[", u"", u"["),
          bad(u"[!", u"", u"ab"), bad(u"x[!c-a*", u"x", u"xc"), bad(u"a][", u"a]", u"ab")}) {
        for (const U &text : g.texts) {
            EXPECT_EQ(agreed(g.pattern, text), g.expected)
                << show(g.pattern) << " against " << show(text);
        }
    }
}

// The common shapes must reach their fast paths, and only the others the
// states; the answers themselves are checked above and below.
TEST(Pattern, CommonShapesTakeTheFastPaths) {
    using enum Pattern::Shape;
    const std::pair<U, Pattern::Shape> cases[] = {{u"book", Exact},        {u"book*", Prefix},
                                                  {u"*book", Suffix},      {u"**book***", Contains},
                                                  {u"*a[b-c]#*", General}, {u"*a*#*", General}};
    for (const auto &[pattern, shape] : cases) {
        const Pattern p(pattern);
        EXPECT_EQ(std::pair(p.shape(), p.runsAsStates()), std::pair(shape, shape == General))
            << show(pattern);
    }
}

// Patterns with as many tokens as the states hold, and one more, which
// retries from the star instead, against records around their length.
TEST(Pattern, AgreesWithReferenceAtTheLimitOfTheStates) {
    for (const int tokens : {62, 63, 64}) {
        U anyThenQ;
        for (int i = 1; i < tokens; ++i) {
            anyThenQ += u"[!]";
        }
        anyThenQ += u'q';
        EXPECT_EQ(Pattern(u'*' + anyThenQ).runsAsStates(), tokens <= 63) << tokens;
        for (const U &pattern :
             {u'*' + anyThenQ, anyThenQ + u'*', u'*' + anyThenQ + u'*', u"a*" + anyThenQ}) {
            for (const int length : {tokens - 1, tokens, tokens + 1, tokens + 5}) {
                const U as(length - 1, u'a');
                const U qs(length - 1, u'q');
                for (const U &text : {as + u'a', as + u'q', u'q' + as, u'a' + qs}) {
                    agreed(pattern, text);
                }
            }
        }
    }
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
