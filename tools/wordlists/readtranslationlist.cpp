#include "englishtext.h"
#include "normalise.h"
#include "partofspeech.h"
#include "readers.h"
#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QSet>

#include <algorithm>

namespace vorlan::wordlists {

QStringList textLines(const QString &text) {
    QStringList out = text.split(u'\n');
    for (QString &l : out) {
        if (l.endsWith(u'\r')) {
            l.chop(1);
        }
    }
    return out;
}

void readTranslationList(const QString &text, Origin origin, Lexicon &lexicon, Report &report,
                         Reverse reverse) {
    const QString name = origin == Origin::TeamList ? QStringLiteral("team list")
                                                    : QStringLiteral("2015 translation list");
    QSet<QString> reversedParts; // headword and part of speech, for Reverse::FirstSense
    qsizetype lineNo = 0;
    for (const QString &raw : textLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        report.count(name + QStringLiteral(": lines"));
        ++lineNo;
        auto t = parseTranslationLine(line);
        if (!t) {
            report.drop(name + QStringLiteral(" line not of the form HEADWORD {pos} :: "
                                              "TRANSLATIONS"));
            continue;
        }
        if (origin == Origin::TranslationList) {
            const QList<LinePatch> patches = linePatches();
            const auto patch =
                std::find_if(patches.begin(), patches.end(), [&](const LinePatch &p) {
                    return t->headword == p.headword && t->pos == p.pos &&
                           t->gloss.startsWith(p.gloss);
                });
            if (patch != patches.end() && patch->rightPos.isEmpty()) {
                report.drop(name + QStringLiteral(" line found wrong on review"));
                continue;
            }
            if (patch != patches.end()) {
                t->pos = patch->rightPos.toString();
            }
        }
        HeadwordProblem problem = HeadwordProblem::None;
        const QString head = makeEnHeadword(t->headword, &problem);
        if (head.isEmpty()) {
            report.drop(problem == HeadwordProblem::TooLong
                            ? QStringLiteral("EN headword longer than 32 characters")
                            : QStringLiteral("EN headword with characters outside the allowed "
                                             "set"));
        }
        const QString english = capitaliseFirst(wordlist::collapseSpaces(foldToAscii(t->headword)));
        QStringList persianItems;
        for (const TranslationItem &item : t->items) {
            persianItems.append(
                wordlist::normalisePersian(withoutNotes(item.text)).value_or(QString()));
        }
        const PartOfSpeech pos = partOfSpeech(t->pos, t->gloss, persianItems);
        const QString part = t->headword + u' ' + t->pos;
        const bool reverses = reverse == Reverse::Every || !reversedParts.contains(part);
        reversedParts.insert(part);
        for (const TranslationItem &item : t->items) {
            report.count(name + QStringLiteral(": translations"));
            QStringList labels;
            for (const QString &q : item.qualifiers) {
                const QString f = foldToAscii(q);
                bool numeric = false;
                f.toInt(&numeric);
                if (!numeric && isPrintableAsciiText(f)) {
                    labels.append(f);
                }
            }
            const QString label = labels.join(QStringLiteral(", "));
            const auto persian = persianText(item.text);
            if (!persian) {
                report.drop(QStringLiteral("Persian text with letters outside the 34 or "
                                           "presentation forms"));
                continue;
            }
            if (!wordlist::containsPersianLetter(*persian)) {
                report.drop(name + QStringLiteral(" translation without Persian text"));
                continue;
            }
            if (!head.isEmpty()) {
                Sense s;
                s.core = QString(*persian).replace(QStringLiteral(" - "), QStringLiteral(", "));
                s.label = label;
                s.pos = pos;
                s.name = t->pos == u"prop";
                s.origin = origin;
                s.line = lineNo;
                lexicon.addEnglishSense(head, s);
            }
            if (!reverses) {
                report.drop(name + QStringLiteral(" translation of a later sense (not reversed)"));
                continue;
            }
            // "A - B" names two Persian words for the same thing.
            for (const QString &word : withoutNotes(item.text).split(QStringLiteral(" - "))) {
                const auto faHead = persianHeadword(word, report);
                if (!faHead) {
                    continue;
                }
                if (!isPrintableAsciiText(english) || english.isEmpty()) {
                    report.drop(name + QStringLiteral(" headword not English after folding (not "
                                                      "reversed)"));
                    continue;
                }
                Sense s;
                s.core = english;
                s.label = label;
                s.pos = pos;
                s.name = t->pos == u"prop";
                s.origin = origin;
                s.reversed = true;
                lexicon.addPersianSense(*faHead, s);
                lexicon.noteJoiners(*faHead, word);
            }
        }
    }
}

} // namespace vorlan::wordlists
