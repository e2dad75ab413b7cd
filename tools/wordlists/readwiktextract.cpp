#include "englishtext.h"
#include "normalise.h"
#include "partofspeech.h"
#include "readers.h"
#include "sourceparsers.h"

namespace vorlan::wordlists {

void readWiktextract(const QString &text, Lexicon &lexicon, Report &report) {
    for (const QString &line : textLines(text)) {
        if (line.trimmed().isEmpty()) {
            continue;
        }
        report.count(QStringLiteral("2022 extract: entries"));
        const auto e = parseWiktextractLine(line);
        if (!e) {
            report.drop(QStringLiteral("2022 line without a sense (no KEYS<TAB>HTML with a "
                                       "list)"));
            continue;
        }
        if (e->lemma == u"Term?") {
            report.drop(QStringLiteral("2022 key: placeholder Term?"));
            continue;
        }
        if (e->lemma.contains(QChar(0x0640))) {
            report.drop(QStringLiteral("2022 entry: affix written with tatweel"));
            continue;
        }
        const auto faHead = persianHeadword(e->lemma, report);
        if (!faHead) {
            continue;
        }
        // The other keys are the lookup forms' to weigh.
        lexicon.persian[*faHead].otherKeys.append(e->otherKeys);
        lexicon.noteJoiners(*faHead, e->lemma);
        for (const PosBlock &block : e->blocks) {
            int senseIndex = 0;
            const QString pos = block.pos.toLower();
            static const QStringList skipped = {
                QStringLiteral("character"), QStringLiteral("symbol"),  QStringLiteral("punct"),
                QStringLiteral("suffix"),    QStringLiteral("prefix"),  QStringLiteral("infix"),
                QStringLiteral("affix"),     QStringLiteral("interfix")};
            if (skipped.contains(pos)) {
                report.drop(QStringLiteral("2022 sense of a letter, symbol or affix"),
                            block.glosses.size());
                continue;
            }
            const bool verb = pos == u"verb";
            const bool name = pos == u"name";
            for (const QString &html : block.glosses) {
                report.count(QStringLiteral("2022 extract: senses"));
                const auto gloss = decodeHtmlText(html);
                if (!gloss) {
                    report.drop(QStringLiteral("2022 sense with an undecodable HTML entity"));
                    continue;
                }
                if (isFormOfGloss(*gloss)) {
                    report.drop(QStringLiteral("2022 sense: form-of, alternative form, plural "
                                               "of"));
                    continue;
                }
                int notEnglish = 0;
                const QList<EnglishSense> senses = englishSenses(*gloss, verb, &notEnglish);
                report.drop(QStringLiteral("2022 sense part not English after folding"),
                            notEnglish);
                const PartOfSpeech marker = partOfSpeech(pos, *gloss, {*faHead});
                for (const EnglishSense &s : senses) {
                    Sense own;
                    own.core = s.core;
                    own.label = s.label;
                    own.pos = marker;
                    own.name = name;
                    own.origin = Origin::Wiktextract;
                    own.order = senseIndex;
                    own.ofSenses = int(block.glosses.size());
                    lexicon.addPersianSense(*faHead, own);
                    const QString key = reversalKey(s, name);
                    if (key.isEmpty()) {
                        report.drop(QStringLiteral("2022 sense not reversed: not a short word "
                                                   "or phrase"));
                        continue;
                    }
                    Sense reversed = own;
                    reversed.core = *faHead;
                    reversed.reversed = true;
                    lexicon.addEnglishSense(key, reversed);
                }
                ++senseIndex;
            }
        }
    }
}

} // namespace vorlan::wordlists
