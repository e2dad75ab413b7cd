#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

// A compiled search pattern, matched against a whole record code unit by code
// unit (both sides are already lower-cased by the caller):
//   '*'        any run of zero or more characters
//   '#'        one digit 0-9
//   '[list]'   one character of the list; '[!list]' one character not in it.
//              The list runs to the first ']' after the '[' (or after its
//              '!'). 'a-z' inside a list names every code unit from the first
//              to the second, and a range whose first unit is above its second
//              names none; a '-' first or last in the list is itself; '*',
//              '?', '#', '!' (after the first place) and '[' are themselves.
//              So '[]' and '[z-a]' match no character, '[!]' and '[!z-a]' any.
//   anything else, ']' and '?' included, matches only itself.
// A pattern with a '[' that no ']' closes is malformed: valid() == false, and
// it matches nothing.
//
// Each list is compiled once into a bitmap of the units below U+0800 (Latin
// and Arabic, which is what the word lists hold) and a sorted table of merged
// ranges above, so that testing a character costs the same however long the
// list was written.
class Pattern {
public:
    // What the search can do faster than a general match.
    enum class Shape {
        Invalid,  // matches nothing
        Exact,    // literal text only: whole-record equality
        Prefix,   // literal, then '*'
        Suffix,   // '*', then literal
        Contains, // '*', literal, '*'
        Infix,    // '*', one-character tokens (not all literal), '*'
        General,  // anything else
    };

    explicit Pattern(std::u16string_view pattern);

    bool valid() const { return shape_ != Shape::Invalid; }
    Shape shape() const { return shape_; }
    // The literal of the Exact, Prefix, Suffix and Contains shapes.
    std::u16string_view literal() const { return literal_; }
    // Records shorter than this never match.
    std::size_t minLength() const { return minLength_; }

    // Infix shape: whether the tokens between the two stars match the
    // minLength() characters at `at`.
    bool infixMatchesAt(const char16_t *at) const;
    // Infix shape: whether the first token after the leading star takes c.
    bool infixStartsWith(char16_t c) const { return tokenMatches(tokens_[1], c); }

    bool matches(std::u16string_view subject) const;
    // The same answer without the shortcuts of the literal shapes; the plain
    // matcher that the shortcuts are measured and checked against.
    bool matchesGeneral(std::u16string_view subject) const;

private:
    struct Token {
        enum class Kind : uint8_t { Literal, Digit, List, Star };
        Kind kind;
        bool negated = false;
        char16_t ch = 0;   // Literal
        uint32_t list = 0; // List: index into lists_
    };
    struct Range {
        char16_t first;
        char16_t last;
    };
    static constexpr char16_t kLowUnits = 0x800;
    struct List {
        uint64_t low[kLowUnits / 64] = {}; // bit per code unit below kLowUnits
        uint32_t rangeBegin = 0;           // ranges_[rangeBegin, rangeEnd): the
        uint32_t rangeEnd = 0;             // rest, sorted and disjoint
    };

    bool compile(std::u16string_view pattern);
    void compileList(std::u16string_view body, List &list);
    bool inList(const List &list, char16_t c) const;
    bool tokenMatches(const Token &t, char16_t c) const;
    void classify();

    std::vector<Token> tokens_;
    std::vector<List> lists_;
    std::vector<Range> ranges_;
    std::u16string literal_;
    std::size_t minLength_ = 0;
    Shape shape_ = Shape::Invalid;
};

} // namespace vorlan
