#pragma once

#include <optional>
#include <string_view>

namespace vorlan::testing {

// A plain, independent reading of the pattern language, for comparing the
// engine with: dynamic programming over (pattern position, text position).
// nullopt for a malformed pattern: a '[' that no ']' closes.
// Pure C++, so that the fuzz target can build it without Qt.
std::optional<bool> referenceMatch(std::u16string_view text, std::u16string_view pattern);

} // namespace vorlan::testing
