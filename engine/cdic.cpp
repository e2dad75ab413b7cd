#include "cdic.h"

#include "folding.h"

namespace vorlan {

namespace {
void configure(ResourceTools &store, const QString &name) {
    store.setResName(name);
    store.setResSplitor(QStringLiteral("\r\n"));
    store.setResIndex(1);
}
} // namespace

cDic::cDic(const ResourceProvider &provider)
    : faWords_(provider), enWords_(provider), enMeanings_(provider), faMeanings_(provider) {
    configure(faWords_, QStringLiteral("Fa"));
    configure(enWords_, QStringLiteral("En"));
    configure(enMeanings_, QStringLiteral("En2Fa"));
    configure(faMeanings_, QStringLiteral("Fa2En"));
    // Only the headword lists are ever searched; the meaning lists are
    // lower-cased only if someone searches them.
    faWords_.prepareSearch();
    enWords_.prepareSearch();
}

void cDic::FindEn(const QString &SearchText) {
    enWords_.setSearchText(SearchText);
    enWords_.StartSearch();
    FindListEn = enWords_.FoundList();
}

void cDic::FindFa(const QString &SearchText) {
    faWords_.setSearchText(SearchText);
    faWords_.StartSearch();
    FindListFa = faWords_.FoundList();
}

PaneRows cDic::Lookup(Language language, const QString &typed, bool exact) {
    PaneRows rows;
    if (!isSearchable(typed)) {
        return rows;
    }
    const bool english = language == Language::English;
    const QString pattern = exact ? typed : u'*' + typed + u'*';
    english ? FindEn(pattern) : FindFa(pattern);
    const ResultListRef &found = english ? FindListEn : FindListFa;
    if (!found) {
        return rows;
    }
    rows.records = found->values();
    const ResourceTools &words = english ? enWords_ : faWords_;
    // Both sides as the search compared them: lower-cased and folded.
    const QString wanted = foldQueryForSearch(typed);
    const std::u16string_view want(reinterpret_cast<const char16_t *>(wanted.utf16()),
                                   std::size_t(wanted.size()));
    // A plain alef typed finds alef with madda too, but a row spelt as typed
    // comes first: اسم selects اسم, not آسم before it.
    const bool loose = looseAlef(wanted);
    const auto asShown = [&](int32_t record, bool looseText) {
        const std::u16string_view text = words.searchRecord(record, looseText);
        return text.substr(0, text.find(u'\0'));
    };
    int looseRow = -1;
    for (std::size_t i = 0; i < rows.records.size(); ++i) {
        if (asShown(rows.records[i], false) == want) {
            rows.selected = int(i);
            return rows;
        }
        if (loose && looseRow < 0 && asShown(rows.records[i], true) == want) {
            looseRow = int(i);
        }
    }
    rows.selected = looseRow;
    return rows;
}

} // namespace vorlan
