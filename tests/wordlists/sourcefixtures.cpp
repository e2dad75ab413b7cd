#include "sourcefixtures.h"
#include "folding.h"
#include "stages.h"
#include "wordlistrules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace vorlan::wordlists::fixtures {

QByteArray synsetLine(qsizetype offset, const QList<QByteArray> &lemmas, char pos) {
    QByteArray line = QByteArray::number(offset).rightJustified(8, '0') + " 05 " + pos + ' ' +
                      QByteArray::number(lemmas.size(), 16).rightJustified(2, '0');
    for (const QByteArray &l : lemmas) {
        line += ' ' + l + " 0";
    }
    return line + " 000 | a gloss\n";
}

QByteArray wordnetData(const QList<QByteArray> &synsets, qsizetype headerBytes) {
    QByteArray data = "  1 licence" + QByteArray(headerBytes - 12, ' ') + '\n';
    for (const QByteArray &s : synsets) {
        data += s;
    }
    return data;
}

namespace {

QByteArray names(const char *locale, const char *kind, const QJsonObject &entries) {
    return QByteArray("{\"main\": {\"") + locale + "\": {\"localeDisplayNames\": {\"" + kind +
           "\": " + QJsonDocument(entries).toJson() + "}}}}";
}

QByteArray annotationFile(const QJsonObject &entries) {
    return R"({"annotations": {"annotations": )" + QJsonDocument(entries).toJson() + "}}";
}

} // namespace

CldrTexts cldr(const QList<std::tuple<QString, QString, QString>> &languages,
               const QList<std::tuple<QString, QString, QString>> &annotations) {
    QJsonObject en;
    QJsonObject fa;
    for (const auto &[code, english, persian] : languages) {
        en.insert(code, english);
        if (!persian.isEmpty()) {
            fa.insert(code, persian);
        }
    }
    QJsonObject annEn;
    QJsonObject annFa;
    for (const auto &[symbol, english, persian] : annotations) {
        annEn.insert(symbol, QJsonObject{{QStringLiteral("default"), QJsonArray{english}},
                                         {QStringLiteral("tts"), QJsonArray{english}}});
        annFa.insert(symbol, QJsonObject{{QStringLiteral("tts"), QJsonArray{persian}}});
    }
    CldrTexts c;
    c.languagesEn = names("en", "languages", en);
    c.languagesFa = names("fa", "languages", fa);
    c.territoriesEn = names("en", "territories", {});
    c.territoriesFa = names("fa", "territories", {});
    c.scriptsEn = names("en", "scripts", {});
    c.scriptsFa = names("fa", "scripts", {});
    c.annotationsEn = annotationFile(annEn);
    c.annotationsFa = annotationFile(annFa);
    return c;
}

SourceTexts sources(const QByteArray &translations, const QByteArray &wiktextract) {
    SourceTexts s;
    s.translationList = translations;
    s.wiktextract = wiktextract;
    s.cldr = cldr();
    return s;
}

Lexicon lexicon(const std::vector<Row> &rows, Lexicon lex) {
    for (const Row &r : rows) {
        if (wordlist::containsPersianLetter(r.head)) {
            lex.addPersianSense(r.head, r.sense);
        } else {
            lex.addEnglishSense(r.head, r.sense);
        }
    }
    return lex;
}

WordListRecords stages(Lexicon lex, const FormSources &forms, Report *report) {
    Report r;
    mergeCaseVariants(lex, r);
    cleanSenses(lex, r);
    addLookupForms(lex, forms, r);
    const WordListRecords out = renderLists(lex, r);
    if (report) {
        *report = r;
    }
    return out;
}

void expectMeanings(const WordListRecords &l, const QStringList &rows) {
    for (const QString &row : rows) {
        const QStringList typed = row.split(QStringLiteral(" → "));
        EXPECT_EQ(meaningOf(l, foldQuery(typed[0])), typed[1]) << row.toStdString();
    }
}

QString meaningOf(const WordListRecords &l, const QString &head) {
    const bool persian = wordlist::containsPersianLetter(head);
    const qsizetype i = (persian ? l.fa : l.en).indexOf(head);
    return i < 0 ? QStringLiteral("<absent>") : (persian ? l.fa2en : l.en2fa)[i];
}

} // namespace vorlan::wordlists::fixtures
