#include "britishspellings.h"

#include "forms.h"
#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QRegularExpression>

namespace vorlan::wordlists {

QList<SpellingPair> parseBritishSpellings(const QString &text, qsizetype *bad) {
    static const QRegularExpression word(QStringLiteral("^[a-z]+$"));
    QList<SpellingPair> pairs;
    qsizetype rejected = 0;
    for (const QStringList &parts : tableRows(text)) {
        if (parts.size() != 2 || !word.match(parts[0]).hasMatch() ||
            !word.match(parts[1]).hasMatch() || parts[0] == parts[1]) {
            ++rejected;
            continue;
        }
        pairs.append({parts[0], parts[1]});
    }
    if (bad != nullptr) {
        *bad = rejected;
    }
    return pairs;
}

qsizetype addBritishSpellings(Lexicon &lexicon, const QByteArray &table, Report &report) {
    qsizetype bad = 0;
    const QList<SpellingPair> pairs = parseBritishSpellings(QString::fromUtf8(table), &bad);
    report.drop(QStringLiteral("British spellings: line not of the form BRITISH, AMERICAN"), bad);
    // A lookup form's meaning is written already and opens with its headword.
    static const QRegularExpression opened(QStringLiteral("^\\([^()]+=\\) "));
    std::vector<std::pair<QString, std::vector<Sense>>> made;
    for (const SpellingPair &p : pairs) {
        const auto own = lexicon.english.find(wordlist::enSortKey(p.british));
        if (own != lexicon.english.end() && !own->second.senses.empty()) {
            report.drop(QStringLiteral("British spelling that has a record of its own"));
            continue;
        }
        const auto american = lexicon.english.find(wordlist::enSortKey(p.american));
        if (american == lexicon.english.end() || american->second.senses.empty()) {
            report.drop(QStringLiteral("British spelling whose American spelling has no record"));
            continue;
        }
        const std::vector<Sense> &senses = american->second.senses;
        // Headwords open with a capital, as the American one does.
        made.emplace_back(p.british.at(0).toUpper() + p.british.mid(1),
                          opened.match(senses.front().core).hasMatch()
                              ? senses
                              : englishFormMeaning(senses, american->second.headword));
    }
    for (auto &[british, senses] : made) {
        EnglishEntry &entry = lexicon.english[wordlist::enSortKey(british)];
        entry.headword = british;
        entry.senses = std::move(senses);
    }
    report.count(QStringLiteral("lookup forms: English, British spellings (team table)"),
                 qsizetype(made.size()));
    return qsizetype(made.size());
}

} // namespace vorlan::wordlists
