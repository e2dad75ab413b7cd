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
        General,  // anything else
    };

    explicit Pattern(std::u16string_view pattern);

    bool valid() const { return shape_ != Shape::Invalid; }
    Shape shape() const { return shape_; }
    // The literal of the Exact, Prefix, Suffix and Contains shapes.
    std::u16string_view literal() const { return literal_; }
    // Records shorter than this never match.
    std::size_t minLength() const { return minLength_; }

    // Whether matches() steps through the record once, as a set of states
    // (see below), rather than retrying from the last star.
    bool runsAsStates() const { return !lowStates_.empty(); }

    bool matches(std::u16string_view subject) const;
    // The same answer from the plain matcher, which retries from the last
    // star and knows no shape: what the faster paths are measured and checked
    // against. O(record x pattern) at worst.
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
    void buildStates();
    uint64_t statesTaking(char16_t c) const;
    bool matchesStates(std::u16string_view subject) const;
    void compileList(std::u16string_view body, List &list);
    bool inList(const List &list, char16_t c) const;
    bool tokenMatches(const Token &t, char16_t c) const;
    void classify();

    std::vector<Token> tokens_;
    std::vector<List> lists_;
    std::vector<Range> ranges_;
    // The General shape with at most 63 tokens that take a character runs as
    // a set of states, one bit each: bit i is set when the first i such
    // tokens have matched the record so far. Every character costs one step,
    // however the pattern is built; longer patterns only fit records that
    // long, which are few.
    static constexpr std::size_t kMaxStates = 63;
    std::vector<uint64_t> lowStates_; // per unit below kLowUnits: the states it enters
    uint64_t starStates_ = 0;         // states followed by a star, which keep any character
    uint64_t finalState_ = 0;
    std::u16string literal_;
    std::size_t minLength_ = 0;
    Shape shape_ = Shape::Invalid;
};

} // namespace vorlan
