#include "lexicon.h"

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

} // namespace vorlan::wordlists
