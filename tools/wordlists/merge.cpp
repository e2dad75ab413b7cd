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

bool isAcronym(QStringView spelling) {
    qsizetype letters = 0;
    for (QChar c : spelling) {
        if (c >= u'a' && c <= u'z') {
            return false;
        }
        letters += c >= u'A' && c <= u'Z';
    }
    return letters >= 2;
}

void mergeCaseVariants(Lexicon &lexicon, Report &report) {
    for (auto &[key, entry] : lexicon.english) {
        std::set<QString> spellings;
        for (const Sense &s : entry.senses) {
            spellings.insert(s.spelling);
        }
        if (spellings.empty()) {
            continue;
        }
        const bool common = std::any_of(spellings.begin(), spellings.end(),
                                        [](const QString &s) { return !isAcronym(s); });
        if (common && std::any_of(spellings.begin(), spellings.end(), isAcronym)) {
            std::erase_if(spellings, [](const QString &s) { return isAcronym(s); });
            const auto acronym =
                std::remove_if(entry.senses.begin(), entry.senses.end(),
                               [](const Sense &s) { return isAcronym(s.spelling); });
            report.drop(QStringLiteral("acronym sense kept out of the common word of its "
                                       "letters"),
                        entry.senses.end() - acronym);
            entry.senses.erase(acronym, entry.senses.end());
        }
        report.drop(QStringLiteral("EN spellings merged with one differing only in case"),
                    qsizetype(spellings.size()) - 1);
        entry.headword = chooseSpelling(spellings);
    }
}

} // namespace vorlan::wordlists
