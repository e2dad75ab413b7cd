#include "stages.h"

#include <algorithm>
#include <set>

namespace vorlan::wordlists {

namespace {

QString chooseSpelling(const std::set<QString> &spellings) {
    auto capitals = [](const QString &s) {
        return std::count_if(s.begin(), s.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    };
    return *std::min_element(spellings.begin(), spellings.end(),
                             [&](const QString &a, const QString &b) {
                                 const auto ca = capitals(a);
                                 const auto cb = capitals(b);
                                 return ca != cb ? ca < cb : a < b;
                             });
}

} // namespace

void mergeCaseVariants(Lexicon &lexicon, Report &report) {
    for (auto &[key, entry] : lexicon.english) {
        std::set<QString> spellings;
        for (const Sense &s : entry.senses) {
            spellings.insert(s.spelling);
        }
        if (spellings.empty()) {
            continue;
        }
        report.drop(QStringLiteral("EN spellings merged with one differing only in case"),
                    qsizetype(spellings.size()) - 1);
        entry.headword = chooseSpelling(spellings);
    }
}

} // namespace vorlan::wordlists
