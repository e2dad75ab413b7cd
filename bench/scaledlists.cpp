#include "scaledlists.h"

#include "cdic.h"
#include "fixtures.h"

#include <QSet>

#include <algorithm>
#include <random>

namespace vorlan::bench {

namespace {

QString withoutNul(QString s) {
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.left(nul);
}

// Grows `words` to `target` unique entries with compounds "first second".
QStringList grow(const QStringList &words, int target, qsizetype maxLength, bool ignoreCase,
                 std::mt19937 &rng) {
    QStringList out = words;
    QSet<QString> seen;
    for (const QString &w : words) {
        seen.insert(ignoreCase ? w.toLower() : w);
    }
    std::uniform_int_distribution<qsizetype> pick(0, words.size() - 1);
    while (out.size() < target) {
        const QString &a = words[pick(rng)];
        const QString &b = words[pick(rng)];
        const QString compound = a + u' ' + (ignoreCase ? b.toLower() : b);
        if (compound.size() > maxLength) {
            continue;
        }
        const QString key = ignoreCase ? compound.toLower() : compound;
        if (!seen.contains(key)) {
            seen.insert(key);
            out << compound;
        }
    }
    out.resize(std::min<qsizetype>(out.size(), target));
    return out;
}

} // namespace

int largeSize(int fixedSize, int builtIn) {
    return std::max(fixedSize, builtIn + builtIn / 2);
}

MemoryResourceProvider largeWordLists(int *englishRecords, int *persianRecords) {
    const cDic real;
    std::mt19937 rng(1065);
    testing::FixtureLists lists;
    auto build = [&](const ResourceTools &words, const ResourceTools &meanings, int target,
                     qsizetype maxLength, bool english, QStringList &outWords,
                     QStringList &outMeanings) {
        QStringList base;
        QStringList realMeanings;
        for (int32_t i = 0; i <= words.RecordNumber(); ++i) {
            base << withoutNul(words.GetIndex(i));
            realMeanings << withoutNul(meanings.GetIndex(i));
        }
        outWords = grow(base, largeSize(target, int(base.size())), maxLength, english, rng);
        if (english) {
            std::sort(outWords.begin(), outWords.end(),
                      [](const QString &x, const QString &y) { return x.toLower() < y.toLower(); });
        } else {
            std::sort(outWords.begin(), outWords.end());
        }
        for (qsizetype i = 0; i < outWords.size(); ++i) {
            outMeanings << realMeanings[i % realMeanings.size()];
        }
    };
    build(real.enWords(), real.enMeanings(), kLargeEnglishRecords, 32, true, lists.en, lists.en2fa);
    build(real.faWords(), real.faMeanings(), kLargePersianRecords, 176, false, lists.fa,
          lists.fa2en);
    if (englishRecords) {
        *englishRecords = int(lists.en.size());
    }
    if (persianRecords) {
        *persianRecords = int(lists.fa.size());
    }
    MemoryResourceProvider provider;
    testing::addDictionary(provider, lists);
    return provider;
}

} // namespace vorlan::bench
