#include "stages.h"

#include <QSet>

#include <algorithm>

namespace vorlan::wordlists {

namespace {

// FA2EN wants short equivalents: a sense longer than this is an explanation
// and is kept only when the headword has nothing shorter.
constexpr qsizetype kLongSense = 120;

// A source's own senses lead. Of an English entry's reversed senses the
// unlabelled ones come before the labelled (archaic, dialectal, ...).
int englishRank(const Sense &s) {
    if (!s.reversed) {
        return 0;
    }
    return s.label.isEmpty() ? 1 : 2;
}

void cleanEnglish(EnglishEntry &entry, qsizetype &duplicates) {
    std::vector<Sense> &senses = entry.senses;
    std::stable_sort(senses.begin(), senses.end(), [](const Sense &a, const Sense &b) {
        if (a.pos != b.pos) {
            return a.pos < b.pos;
        }
        if (englishRank(a) != englishRank(b)) {
            return englishRank(a) < englishRank(b);
        }
        if (a.order != b.order) {
            return a.order < b.order;
        }
        return a.seq < b.seq;
    });
    QSet<QString> seen;
    std::vector<Sense> kept;
    for (Sense &s : senses) {
        if (seen.contains(s.core)) {
            ++duplicates;
            continue;
        }
        seen.insert(s.core);
        kept.push_back(std::move(s));
    }
    senses = std::move(kept);
}

void cleanPersian(PersianEntry &entry, qsizetype &duplicates, qsizetype &explanations) {
    std::vector<Sense> &senses = entry.senses;
    std::stable_sort(senses.begin(), senses.end(), [](const Sense &a, const Sense &b) {
        return a.reversed != b.reversed ? b.reversed : a.seq < b.seq;
    });
    const bool hasShort = std::any_of(senses.begin(), senses.end(), [](const Sense &s) {
        return fa2enText(s).size() <= kLongSense;
    });
    QSet<QString> seen;
    std::vector<Sense> kept;
    for (Sense &s : senses) {
        const QString text = fa2enText(s);
        const QString folded = text.toLower();
        if (seen.contains(folded)) {
            ++duplicates;
            continue;
        }
        if (hasShort && text.size() > kLongSense) {
            ++explanations;
            continue;
        }
        seen.insert(folded);
        kept.push_back(std::move(s));
    }
    senses = std::move(kept);
}

} // namespace

void cleanSenses(Lexicon &lexicon, Report &report) {
    qsizetype duplicates = 0;
    qsizetype explanations = 0;
    for (auto &[key, entry] : lexicon.english) {
        cleanEnglish(entry, duplicates);
    }
    for (auto &[key, entry] : lexicon.persian) {
        cleanPersian(entry, duplicates, explanations);
    }
    report.drop(QStringLiteral("long explanatory English sense beside shorter ones"), explanations);
    report.drop(QStringLiteral("duplicate senses of one headword merged"), duplicates);
}

} // namespace vorlan::wordlists
