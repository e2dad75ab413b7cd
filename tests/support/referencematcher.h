#pragma once

#include "resultlist.h"

#include <QString>
#include <QStringList>

namespace vorlan::testing {

// The search as it reads at its simplest: fold the query, then lower-case
// every record on every search and match it. Records must already be split
// (and record 0 stripped of its byte-order mark).
ResultList referenceSearch(const QStringList &records, const QString &query);

} // namespace vorlan::testing
