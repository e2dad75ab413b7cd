#include "converter.h"
#include "englishtext.h"
#include "normalise.h"
#include "readers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vorlan::wordlists {

namespace {

QJsonObject objectAt(const QByteArray &json, const QStringList &path, const char *what) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        throw SourceError(std::string("CLDR ") + what + " is not a JSON object");
    }
    QJsonObject o = doc.object();
    for (const QString &key : path) {
        const QJsonValue v = o.value(key);
        if (!v.isObject()) {
            throw SourceError(std::string("CLDR ") + what + " has no " + key.toStdString());
        }
        o = v.toObject();
    }
    return o;
}

QStringList localeNamesPath(const QString &locale, const QString &kind) {
    return {QStringLiteral("main"), locale, QStringLiteral("localeDisplayNames"), kind};
}

// `name`: a language's, territory's or script's, not a symbol's ("fingerprint").
void addPair(const QString &englishRaw, const QString &persianRaw, bool name, Lexicon &lexicon,
             Report &report) {
    const QString english = makeEnHeadword(englishRaw);
    if (english.isEmpty()) {
        report.drop(QStringLiteral("CLDR name not a valid EN headword"));
        return;
    }
    auto persian = persianHeadword(persianRaw, report);
    if (!persian) {
        return;
    }
    if (const QString patched = patchedPair(english, *persian); patched != *persian) {
        report.drop(QStringLiteral("CLDR pair corrected by hand"));
        if (patched.isEmpty()) {
            return;
        }
        persian = patched;
    }
    Sense en;
    en.core = *persian;
    en.origin = Origin::Cldr;
    en.name = name;
    lexicon.addEnglishSense(english, en);
    Sense fa;
    fa.core = english;
    fa.origin = Origin::Cldr;
    fa.name = name;
    lexicon.addPersianSense(*persian, fa);
    lexicon.noteJoiners(*persian, persianRaw);
    report.count(QStringLiteral("CLDR: pairs kept"));
}

void readNames(const QByteArray &en, const QByteArray &fa, const QString &kind, Lexicon &lexicon,
               Report &report) {
    const std::string what = kind.toStdString();
    const QJsonObject english =
        objectAt(en, localeNamesPath(QStringLiteral("en"), kind), what.c_str());
    const QJsonObject persian =
        objectAt(fa, localeNamesPath(QStringLiteral("fa"), kind), what.c_str());
    // QJsonObject iterates in key order, so the result does not depend on the file's order.
    for (auto it = english.begin(); it != english.end(); ++it) {
        if (it.key().contains(QStringLiteral("-alt-"))) {
            continue;
        }
        report.count(QStringLiteral("CLDR: ") + kind);
        const QJsonValue fa = persian.value(it.key());
        if (!it.value().isString() || !fa.isString()) {
            report.drop(QStringLiteral("CLDR name without a Persian name"));
            continue;
        }
        addPair(it.value().toString(), fa.toString(), true, lexicon, report);
    }
}

} // namespace

void readCldr(const CldrTexts &cldr, Lexicon &lexicon, Report &report) {
    readNames(cldr.languagesEn, cldr.languagesFa, QStringLiteral("languages"), lexicon, report);
    readNames(cldr.territoriesEn, cldr.territoriesFa, QStringLiteral("territories"), lexicon,
              report);
    readNames(cldr.scriptsEn, cldr.scriptsFa, QStringLiteral("scripts"), lexicon, report);

    const QStringList path = {QStringLiteral("annotations"), QStringLiteral("annotations")};
    const QJsonObject english = objectAt(cldr.annotationsEn, path, "annotations");
    const QJsonObject persian = objectAt(cldr.annotationsFa, path, "annotations");
    for (auto it = english.begin(); it != english.end(); ++it) {
        report.count(QStringLiteral("CLDR: symbols"));
        const QJsonArray en = it.value().toObject().value(QStringLiteral("tts")).toArray();
        const QJsonArray fa =
            persian.value(it.key()).toObject().value(QStringLiteral("tts")).toArray();
        if (en.size() != 1 || fa.size() != 1) {
            report.drop(QStringLiteral("CLDR symbol without one name in each language"));
            continue;
        }
        // Longer names describe a picture ("hollow left-pointing small
        // triangle", "تاكسي اي كه نزديك مي شود") rather than name a thing.
        if (wordCount(en[0].toString()) > 2 ||
            wordCount(QString(fa[0].toString()).replace(QChar(0x200C), u' ')) > 3) {
            report.drop(QStringLiteral("CLDR symbol name of more than two words"));
            continue;
        }
        addPair(en[0].toString(), fa[0].toString(), false, lexicon, report);
    }
}

} // namespace vorlan::wordlists
