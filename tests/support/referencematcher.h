#pragma once

#include "resultlist.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

namespace vorlan::testing {

// A plain, independent reading of the pattern language, for comparing the
// engine with: dynamic programming over (pattern position, text position).
// nullopt for a malformed pattern (unclosed '[' or a descending range).
std::optional<bool> referenceMatch(std::u16string_view text, std::u16string_view pattern);

// The search as it reads at its simplest: fold the query, then lower-case
// every record on every search and match it. Records must already be split
// (and record 0 stripped of its byte-order mark).
ResultList referenceSearch(const QStringList &records, const QString &query);

} // namespace vorlan::testing
