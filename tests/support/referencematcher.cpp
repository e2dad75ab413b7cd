#include "referencematcher.h"

#include "folding.h"
#include "referencelike.h"

namespace vorlan::testing {

ResultList referenceSearch(const QStringList &records, const QString &query) {
    ResultList out;
    const QString folded = foldQueryForSearch(query);
    const std::u16string_view pattern(reinterpret_cast<const char16_t *>(folded.utf16()),
                                      static_cast<std::size_t>(folded.size()));
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString lower = records[i].toLower();
        const std::u16string_view text(reinterpret_cast<const char16_t *>(lower.utf16()),
                                       static_cast<std::size_t>(lower.size()));
        if (referenceMatch(text, pattern).value_or(false)) {
            out.Add(static_cast<int32_t>(i));
        }
    }
    return out;
}

} // namespace vorlan::testing
