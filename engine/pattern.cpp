#include "pattern.h"

namespace vorlan {

Pattern::Pattern(std::u16string_view pattern) {
    if (compile(pattern)) {
        classify();
    } else {
        tokens_.clear();
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
            const std::size_t listStart = j;
            while (j < n && p[j] != u']') {
                ++j;
            }
            if (j >= n) {
                return false; // unclosed list
            }
            const std::size_t listEnd = j;
            if (listEnd == listStart && !t.negated) {
                i = j; // "[]" stands for the empty string
                continue;
            }
            t.rangeBegin = static_cast<uint32_t>(ranges_.size());
            for (std::size_t k = listStart; k < listEnd;) {
                const char16_t first = p[k];
                if (k + 2 < listEnd && p[k + 1] == u'-') {
                    const char16_t last = p[k + 2];
                    if (last < first) {
                        return false; // descending range
                    }
                    ranges_.push_back({first, last});
                    k += 3;
                } else {
                    ranges_.push_back({first, first});
                    ++k;
                }
            }
            t.rangeEnd = static_cast<uint32_t>(ranges_.size());
            tokens_.push_back(t);
            ++minLength_;
            i = j;
        } else {
            Token t{Kind::Literal};
            t.ch = c;
            tokens_.push_back(t);
            ++minLength_;
        }
    }
    return true;
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
        bool innerStar = false;
        for (std::size_t i = first; i < last; ++i) {
            innerStar = innerStar || tokens_[i].kind == Kind::Star;
        }
        if (leadingStar && trailingStar && first < last && !innerStar) {
            shape_ = Shape::Infix;
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
    case Token::Kind::List: {
        bool in = false;
        for (uint32_t r = t.rangeBegin; r < t.rangeEnd && !in; ++r) {
            in = c >= ranges_[r].first && c <= ranges_[r].last;
        }
        return in != t.negated;
    }
    case Token::Kind::Star:
        break;
    }
    return false;
}

bool Pattern::infixMatchesAt(const char16_t *at) const {
    for (std::size_t k = 0; k < minLength_; ++k) {
        if (!tokenMatches(tokens_[k + 1], at[k])) {
            return false;
        }
    }
    return true;
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
    case Shape::Infix:
    case Shape::General:
        break;
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
