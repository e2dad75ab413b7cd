#include "pattern.h"

#include <algorithm>

namespace vorlan {

Pattern::Pattern(std::u16string_view pattern) {
    if (compile(pattern)) {
        classify();
        buildStates();
    } else {
        tokens_.clear();
        lists_.clear();
        ranges_.clear();
        shape_ = Shape::Invalid;
    }
}

bool Pattern::compile(std::u16string_view p) {
    using Kind = Token::Kind;
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c == u'*') {
            // A run of stars means the same as one.
            if (tokens_.empty() || tokens_.back().kind != Kind::Star) {
                tokens_.push_back({Kind::Star});
            }
        } else if (c == u'#') {
            tokens_.push_back({Kind::Digit});
            ++minLength_;
        } else if (c == u'[') {
            std::size_t j = i + 1;
            Token t{Kind::List};
            if (j < n && p[j] == u'!') {
                t.negated = true;
                ++j;
            }
            const std::size_t close = p.find(u']', j);
            if (close == std::u16string_view::npos) {
                return false; // unclosed list
            }
            t.list = static_cast<uint32_t>(lists_.size());
            compileList(p.substr(j, close - j), lists_.emplace_back());
            tokens_.push_back(t);
            ++minLength_;
            i = close;
        } else {
            Token t{Kind::Literal};
            t.ch = c;
            tokens_.push_back(t);
            ++minLength_;
        }
    }
    return true;
}

void Pattern::compileList(std::u16string_view body, List &list) {
    std::vector<Range> named;
    for (std::size_t k = 0; k < body.size();) {
        const char16_t first = body[k];
        if (k + 2 < body.size() && body[k + 1] == u'-') {
            if (first <= body[k + 2]) { // a descending range names nothing
                named.push_back({first, body[k + 2]});
            }
            k += 3;
        } else {
            named.push_back({first, first});
            ++k;
        }
    }
    std::sort(named.begin(), named.end(),
              [](const Range &a, const Range &b) { return a.first < b.first; });
    list.rangeBegin = static_cast<uint32_t>(ranges_.size());
    for (const Range &r : named) {
        // The low units go to the bitmap, the rest is merged with the range
        // before when it overlaps or touches it.
        for (uint32_t u = r.first; u <= r.last && u < kLowUnits; ++u) {
            list.low[u / 64] |= uint64_t{1} << (u % 64);
        }
        if (r.last < kLowUnits) {
            continue;
        }
        const Range high{std::max(r.first, kLowUnits), r.last};
        if (ranges_.size() > list.rangeBegin && high.first <= ranges_.back().last + 1u) {
            ranges_.back().last = std::max(ranges_.back().last, high.last);
        } else {
            ranges_.push_back(high);
        }
    }
    list.rangeEnd = static_cast<uint32_t>(ranges_.size());
}

bool Pattern::inList(const List &list, char16_t c) const {
    if (c < kLowUnits) {
        return (list.low[c / 64] >> (c % 64)) & 1u;
    }
    // The last range that starts at or below c is the only one that can hold it.
    const Range *begin = ranges_.data() + list.rangeBegin;
    const Range *end = ranges_.data() + list.rangeEnd;
    const Range *after =
        std::upper_bound(begin, end, c, [](char16_t v, const Range &r) { return v < r.first; });
    return after != begin && c <= (after - 1)->last;
}

void Pattern::classify() {
    using Kind = Token::Kind;
    const std::size_t n = tokens_.size();
    const bool leadingStar = n > 0 && tokens_.front().kind == Kind::Star;
    const bool trailingStar = n > 0 && tokens_.back().kind == Kind::Star;
    const std::size_t first = leadingStar ? 1 : 0;
    const std::size_t last = trailingStar ? n - 1 : n; // exclusive
    bool literalOnly = first <= last;
    for (std::size_t i = first; literalOnly && i < last; ++i) {
        literalOnly = tokens_[i].kind == Kind::Literal;
    }
    shape_ = Shape::General;
    if (!literalOnly || first >= last) {
        // "", "*" and patterns with other tokens go through the general matcher.
        if (n == 0) {
            shape_ = Shape::Exact; // only the empty record
        }
        return;
    }
    for (std::size_t i = first; i < last; ++i) {
        literal_.push_back(tokens_[i].ch);
    }
    if (!leadingStar && !trailingStar) {
        shape_ = Shape::Exact;
    } else if (!leadingStar) {
        shape_ = Shape::Prefix;
    } else if (!trailingStar) {
        shape_ = Shape::Suffix;
    } else {
        shape_ = Shape::Contains;
    }
}

bool Pattern::tokenMatches(const Token &t, char16_t c) const {
    switch (t.kind) {
    case Token::Kind::Literal:
        return c == t.ch;
    case Token::Kind::Digit:
        return c >= u'0' && c <= u'9';
    case Token::Kind::List:
        return inList(lists_[t.list], c) != t.negated;
    case Token::Kind::Star:
        break;
    }
    return false;
}

void Pattern::buildStates() {
    if (shape_ != Shape::General || minLength_ > kMaxStates) {
        return;
    }
    std::size_t state = 0;
    for (const Token &t : tokens_) {
        if (t.kind == Token::Kind::Star) {
            starStates_ |= uint64_t{1} << state;
        } else {
            ++state;
        }
    }
    finalState_ = uint64_t{1} << state;
    // Token by token rather than unit by unit: a literal enters one entry.
    lowStates_.assign(kLowUnits, 0);
    state = 0;
    for (const Token &t : tokens_) {
        const uint64_t bit = uint64_t{1} << state << 1;
        switch (t.kind) {
        case Token::Kind::Star:
            continue;
        case Token::Kind::Literal:
            if (t.ch < kLowUnits) {
                lowStates_[t.ch] |= bit;
            }
            break;
        case Token::Kind::Digit:
            for (char16_t c = u'0'; c <= u'9'; ++c) {
                lowStates_[c] |= bit;
            }
            break;
        case Token::Kind::List:
            for (char16_t c = 0; c < kLowUnits; ++c) {
                if (inList(lists_[t.list], c) != t.negated) {
                    lowStates_[c] |= bit;
                }
            }
            break;
        }
        ++state;
    }
}

uint64_t Pattern::statesTaking(char16_t c) const {
    uint64_t states = 0;
    std::size_t state = 0;
    for (const Token &t : tokens_) {
        if (t.kind != Token::Kind::Star) {
            ++state;
            if (tokenMatches(t, c)) {
                states |= uint64_t{1} << state;
            }
        }
    }
    return states;
}

bool Pattern::matchesStates(std::u16string_view s) const {
    const uint64_t starredFinal = finalState_ & starStates_; // a trailing star takes the rest
    uint64_t states = 1;
    for (const char16_t c : s) {
        if ((states & starredFinal) != 0) {
            return true;
        }
        const uint64_t taking = c < kLowUnits ? lowStates_[c] : statesTaking(c);
        states = ((states << 1) & taking) | (states & starStates_);
        if (states == 0) {
            return false;
        }
    }
    return (states & finalState_) != 0;
}

bool Pattern::matches(std::u16string_view s) const {
    switch (shape_) {
    case Shape::Invalid:
        return false;
    case Shape::Exact:
        return s == std::u16string_view(literal_);
    case Shape::Prefix:
        return s.starts_with(literal_);
    case Shape::Suffix:
        return s.ends_with(literal_);
    case Shape::Contains:
        return s.find(literal_) != std::u16string_view::npos;
    case Shape::General:
        break;
    }
    if (runsAsStates()) {
        return s.size() >= minLength_ && matchesStates(s);
    }
    return matchesGeneral(s);
}

bool Pattern::matchesGeneral(std::u16string_view s) const {
    if (shape_ == Shape::Invalid || s.size() < minLength_) {
        return false;
    }
    // Every token but '*' takes exactly one character, so backtracking to the
    // last star is enough: O(record x pattern) at worst, never exponential.
    const std::size_t n = s.size();
    const std::size_t m = tokens_.size();
    std::size_t ti = 0;
    std::size_t si = 0;
    std::size_t starTi = m; // none yet
    std::size_t starSi = 0;
    while (si < n) {
        if (ti < m && tokens_[ti].kind == Token::Kind::Star) {
            if (ti + 1 == m) {
                return true; // a trailing star takes whatever is left
            }
            starTi = ti++;
            starSi = si;
        } else if (ti < m && tokenMatches(tokens_[ti], s[si])) {
            ++ti;
            ++si;
        } else if (starTi != m) {
            ti = starTi + 1;
            si = ++starSi;
        } else {
            return false;
        }
    }
    while (ti < m && tokens_[ti].kind == Token::Kind::Star) {
        ++ti;
    }
    return ti == m;
}

} // namespace vorlan
