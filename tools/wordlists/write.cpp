#include "write.h"

#include "converter.h"
#include "partofspeech.h"
#include "wordlistrules.h"
#include "wordlistvalidator.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace vorlan::wordlists {

WordListRecords renderLists(const Lexicon &lexicon, Report &report) {
    WordListRecords out;
    qsizetype cut = 0;
    for (const auto &[key, entry] : lexicon.english) {
        if (entry.senses.empty()) {
            continue;
        }
        QStringList units;
        std::optional<PartOfSpeech> group;
        for (const Sense &s : entry.senses) {
            const bool opens = !group || *group != s.pos;
            group = s.pos;
            const QString text = en2faText(s);
            units.append(opens && s.pos != PartOfSpeech::None
                             ? markerText(s.pos) + QStringLiteral(": ") + text
                             : text);
        }
        qsizetype left = 0;
        const QString meaning = joinSenses(units, wordlist::kMaxEn2FaMeaning, &left);
        cut += left;
        if (meaning.isEmpty()) {
            report.drop(QStringLiteral("EN headword without a meaning that fits 325 characters"));
            continue;
        }
        out.en.append(entry.headword);
        out.en2fa.append(meaning);
    }

    std::vector<const std::pair<const QString, PersianEntry> *> faOrder;
    for (const auto &item : lexicon.persian) {
        if (!item.second.senses.empty()) {
            faOrder.push_back(&item);
        }
    }
    std::sort(faOrder.begin(), faOrder.end(),
              [](const auto *a, const auto *b) { return wordlist::faLess(a->first, b->first); });
    for (const auto *item : faOrder) {
        QStringList units;
        for (const Sense &s : item->second.senses) {
            units.append(fa2enText(s));
        }
        qsizetype left = 0;
        const QString meaning = joinSenses(units, wordlist::kMaxFa2EnMeaning, &left);
        cut += left;
        if (meaning.isEmpty()) {
            report.drop(QStringLiteral("FA headword without a meaning that fits 788 characters"));
            continue;
        }
        out.fa.append(item->first);
        out.fa2en.append(meaning);
    }
    report.drop(QStringLiteral("senses cut off at the end of a long meaning"), cut);
    report.englishHeadwords = out.en.size();
    report.persianHeadwords = out.fa.size();
    return out;
}

QString joinSenses(const QStringList &senses, qsizetype limit, qsizetype *dropped) {
    QString out;
    qsizetype kept = 0;
    for (const QString &s : senses) {
        const qsizetype extra = out.isEmpty() ? s.size() : s.size() + 3;
        if (out.size() + extra > limit) {
            break;
        }
        if (!out.isEmpty()) {
            out.append(wordlist::kSenseSeparator);
        }
        out.append(s);
        ++kept;
    }
    if (dropped) {
        *dropped = senses.size() - kept;
    }
    return out;
}

void writeWordLists(const WordListRecords &lists, const QString &dir) {
    if (!QDir().mkpath(dir)) {
        throw SourceError("cannot create " + dir.toStdString());
    }
    const std::pair<WordList, const QStringList *> files[] = {
        {WordList::En, &lists.en},
        {WordList::En2Fa, &lists.en2fa},
        {WordList::Fa, &lists.fa},
        {WordList::Fa2En, &lists.fa2en},
    };
    for (const auto &[list, records] : files) {
        QSaveFile f(QDir(dir).filePath(wordListName(list)));
        if (!f.open(QIODevice::WriteOnly) || f.write(wordlist::encode(*records, list)) < 0 ||
            !f.commit()) {
            throw SourceError("cannot write " + f.fileName().toStdString() + ": " +
                              f.errorString().toStdString());
        }
    }
}

} // namespace vorlan::wordlists
