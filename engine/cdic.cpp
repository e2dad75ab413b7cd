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
    const QString wanted = foldQuery(typed);
    for (std::size_t i = 0; i < rows.records.size(); ++i) {
        const QStringView text = visibleText(words.recordView(rows.records[i]));
        // Case folding keeps lengths, so unequal lengths can never be equal.
        if (text.size() == wanted.size() && text.compare(wanted, Qt::CaseInsensitive) == 0) {
            rows.selected = int(i);
            break;
        }
    }
    return rows;
}

} // namespace vorlan
