#include "lexicon.h"

#include "normalise.h"
#include "wordlistrules.h"

namespace vorlan::wordlists {

QString en2faText(const Sense &sense) {
    return sense.label.isEmpty() ? sense.core
                                 : QStringLiteral("(%1) %2").arg(sense.label, sense.core);
}

QString fa2enText(const Sense &sense) {
    return sense.label.isEmpty() ? sense.core
                                 : QStringLiteral("%1 (%2)").arg(sense.core, sense.label);
}

EnglishEntry &Lexicon::englishEntry(const QString &headword) {
    return english[wordlist::enSortKey(headword)];
}

void Lexicon::addEnglishSense(const QString &headword, Sense sense) {
    sense.spelling = headword;
    sense.seq = nextSeq++;
    englishEntry(headword).senses.push_back(std::move(sense));
}

void Lexicon::addPersianSense(const QString &headword, Sense sense) {
    sense.seq = nextSeq++;
    persian[headword].senses.push_back(std::move(sense));
}

void Lexicon::noteJoiners(const QString &headword, QStringView raw) {
    const QString joined = joinedSpelling(raw);
    if (!joined.isEmpty() && joined != headword) {
        persian[headword].joined = joined;
    }
}

} // namespace vorlan::wordlists
