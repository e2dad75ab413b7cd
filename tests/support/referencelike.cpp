#include "referencelike.h"

#include <string>
#include <vector>

namespace vorlan::testing {

namespace {

struct Item {
    enum Kind { Char, Digit, Set, Star };
    explicit Item(Kind k, char16_t c = 0) : kind(k), ch(c) {}
    Kind kind;
    char16_t ch;
    bool negated = false;
    std::u16string set; // pairs: first, last
};

std::optional<std::vector<Item>> parse(std::u16string_view p) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char16_t c = p[i];
        if (c == u'*') {
            items.emplace_back(Item::Star);
        } else if (c == u'#') {
            items.emplace_back(Item::Digit);
        } else if (c == u'[') {
            const std::size_t close = p.find(u']', i + 1);
            if (close == std::u16string_view::npos) {
                return std::nullopt;
            }
            std::u16string_view body = p.substr(i + 1, close - i - 1);
            i = close;
            Item it(Item::Set);
            if (!body.empty() && body[0] == u'!') {
                it.negated = true;
                body.remove_prefix(1);
            }
            // A descending pair is kept: no unit lies in it, so it names none.
            for (std::size_t k = 0; k < body.size(); ++k) {
                const bool range = k + 2 < body.size() && body[k + 1] == u'-';
                const char16_t last = range ? body[k + 2] : body[k];
                it.set.push_back(body[k]);
                it.set.push_back(last);
                if (range) {
                    k += 2;
                }
            }
            items.push_back(it);
        } else {
            items.emplace_back(Item::Char, c);
        }
    }
    return items;
}

bool single(const Item &it, char16_t c) {
    switch (it.kind) {
    case Item::Char:
        return it.ch == c;
    case Item::Digit:
        return c >= u'0' && c <= u'9';
    case Item::Set: {
        bool in = false;
        for (std::size_t k = 0; k + 1 < it.set.size(); k += 2) {
            in = in || (c >= it.set[k] && c <= it.set[k + 1]);
        }
        return in != it.negated;
    }
    case Item::Star:
        break;
    }
    return false;
}

} // namespace

std::optional<bool> referenceMatch(std::u16string_view text, std::u16string_view pattern) {
    const auto items = parse(pattern);
    if (!items) {
        return std::nullopt;
    }
    const std::size_t m = items->size();
    const std::size_t n = text.size();
    // row[j]: the first i items match the first j characters.
    std::vector<char> row(n + 1, 0);
    row[0] = 1;
    for (std::size_t i = 0; i < m; ++i) {
        const Item &it = (*items)[i];
        std::vector<char> next(n + 1, 0);
        for (std::size_t j = 0; j <= n; ++j) {
            if (it.kind == Item::Star) {
                next[j] = row[j] || (j > 0 && next[j - 1]);
            } else {
                next[j] = j > 0 && row[j - 1] && single(it, text[j - 1]);
            }
        }
        row.swap(next);
    }
    return row[n] != 0;
}

} // namespace vorlan::testing
