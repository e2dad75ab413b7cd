#include "referencelike.h"

#include <functional>
#include <string>
#include <vector>

namespace vorlan::testing {

std::optional<bool> referenceMatch(std::u16string_view text, std::u16string_view pattern) {
    // One test per pattern item; an empty one stands for '*'.
    std::vector<std::function<bool(char16_t)>> items;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'*') {
            items.emplace_back();
        } else if (c == u'#') {
            items.emplace_back([](char16_t x) { return x >= u'0' && x <= u'9'; });
        } else if (c != u'[') {
            items.emplace_back([c](char16_t x) { return x == c; });
        } else {
            const std::size_t close = pattern.find(u']', i + 1);
            if (close == std::u16string_view::npos) {
                return std::nullopt;
            }
            std::u16string body(pattern.substr(i + 1, close - i - 1));
            const bool negated = !body.empty() && body[0] == u'!';
            body.erase(0, negated ? 1 : 0);
            i = close;
            // A descending pair is kept: no unit lies in it, so it names none.
            items.emplace_back([body, negated](char16_t x) {
                bool in = false;
                for (std::size_t k = 0; k < body.size(); ++k) {
                    const bool range = k + 2 < body.size() && body[k + 1] == u'-';
                    in = in || (x >= body[k] && x <= body[range ? k + 2 : k]);
                    k += range ? 2 : 0;
                }
                return in != negated;
            });
        }
    }
    // row[j]: the items so far match the first j characters.
    std::vector<char> row(text.size() + 1, 0);
    row[0] = 1;
    for (const auto &item : items) {
        std::vector<char> next(row.size(), 0);
        for (std::size_t j = 0; j < row.size(); ++j) {
            next[j] =
                item ? j > 0 && row[j - 1] && item(text[j - 1]) : row[j] || (j > 0 && next[j - 1]);
        }
        row.swap(next);
    }
    return row.back() != 0;
}

} // namespace vorlan::testing
