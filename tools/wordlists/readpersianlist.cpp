#include "englishtext.h"
#include "normalise.h"
#include "readers.h"
#include "sourceparsers.h"
#include "wordlistrules.h"

namespace vorlan::wordlists {

namespace {

PartOfSpeech persianListPart(QStringView pos) {
    if (pos == u"n") {
        return PartOfSpeech::Noun;
    }
    if (pos == u"v") {
        return PartOfSpeech::VerbT;
    }
    if (pos == u"adj") {
        return PartOfSpeech::Adj;
    }
    return pos == u"adv" ? PartOfSpeech::Adv : PartOfSpeech::None;
}

} // namespace

void readPersianList(const QString &text, Lexicon &lexicon, Report &report) {
    const QString name = QStringLiteral("team Persian list");
    for (const QString &raw : textLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        report.count(name + QStringLiteral(": lines"));
        const auto t = parseTranslationLine(line);
        const auto head = t ? persianHeadword(t->headword, report) : std::nullopt;
        if (!head) {
            report.drop(name + QStringLiteral(" line not of the form PERSIAN {pos} :: ENGLISH"));
            continue;
        }
        for (const TranslationItem &item : t->items) {
            const QString english =
                capitaliseFirst(wordlist::collapseSpaces(foldToAscii(item.text)));
            if (english.isEmpty() || !isPrintableAsciiText(english)) {
                report.drop(name + QStringLiteral(" meaning not English"));
                continue;
            }
            report.count(name + QStringLiteral(": meanings"));
            Sense s;
            s.core = english;
            s.pos = persianListPart(t->pos);
            s.origin = Origin::TeamList;
            lexicon.addPersianSense(*head, s);
            lexicon.noteJoiners(*head, t->headword);
        }
    }
}

} // namespace vorlan::wordlists
