#include "cdic.h"

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

} // namespace vorlan
