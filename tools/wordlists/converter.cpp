#include "converter.h"

#include "readers.h"
#include "stages.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace vorlan::wordlists {

namespace {

QString decodeUtf8(const QByteArray &bytes, const char *what) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        throw SourceError(std::string(what) + " is not valid UTF-8");
    }
    return text;
}

} // namespace

ConversionResult convert(const SourceTexts &sources) {
    ConversionResult r;
    Report &report = r.report;
    Lexicon lexicon;
    readTranslationList(decodeUtf8(sources.translationList, kTranslationListPath),
                        Origin::TranslationList, lexicon, report);
    readWiktextract(decodeUtf8(sources.wiktextract, kWiktextractPath), lexicon, report);
    readTranslationList(decodeUtf8(sources.teamList, "the team list"), Origin::TeamList, lexicon,
                        report);
    readTranslationList(decodeUtf8(sources.coreList, "the team's common words"), Origin::TeamList,
                        lexicon, report, Reverse::FirstSense);
    readTranslationList(decodeUtf8(sources.lemmaList, "the team's common lemmas"), Origin::TeamList,
                        lexicon, report, Reverse::FirstSense);
    readTranslationList(decodeUtf8(sources.topicList, "the team's topic words"), Origin::TeamList,
                        lexicon, report, Reverse::FirstSense);
    readPersianList(decodeUtf8(sources.persianList, "the team's Persian list"), lexicon, report);
    readPersianList(decodeUtf8(sources.persianTopics, "the team's Persian topic words"), lexicon,
                    report);
    // After the others: a link is taken where another source pairs the words.
    readWordnetLinks(decodeUtf8(sources.wordnetLinks, kWordnetLinksPath), sources.wordnet, lexicon,
                     report);
    readCldr(sources.cldr, lexicon, report);
    readWordnetCounts(sources.wordnet.senseCounts, lexicon, report);
    if (report.read.value(QStringLiteral("2015 translation list: lines")) == 0) {
        throw SourceError(std::string(kTranslationListPath) + " holds no entry line");
    }
    if (report.read.value(QStringLiteral("2022 extract: senses")) == 0) {
        throw SourceError(std::string(kWiktextractPath) + " holds no usable entry");
    }
    mergeCaseVariants(lexicon, report);
    cleanSenses(lexicon, report);
    addLookupForms(lexicon, sources.forms, report);
    r.lists = renderLists(lexicon, report);
    return r;
}

QByteArray readSourceFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        throw SourceError("cannot read " + path.toStdString() + ": " +
                          f.errorString().toStdString());
    }
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        throw SourceError("cannot read " + path.toStdString() + ": " +
                          f.errorString().toStdString());
    }
    return bytes;
}

SourceTexts readSources(const SourcePaths &paths) {
    const QDir dir(paths.sourcesDir);
    SourceTexts s;
    s.translationList = readSourceFile(dir.filePath(QLatin1String(kTranslationListPath)));
    s.wiktextract = readSourceFile(dir.filePath(QLatin1String(kWiktextractPath)));
    if (!paths.teamList.isEmpty()) {
        s.teamList = readSourceFile(paths.teamList);
    }
    if (!paths.coreList.isEmpty()) {
        s.coreList = readSourceFile(paths.coreList);
    }
    if (!paths.lemmaList.isEmpty()) {
        s.lemmaList = readSourceFile(paths.lemmaList);
    }
    if (!paths.persianList.isEmpty()) {
        s.persianList = readSourceFile(paths.persianList);
    }
    if (!paths.topicList.isEmpty()) {
        s.topicList = readSourceFile(paths.topicList);
    }
    if (!paths.persianTopics.isEmpty()) {
        s.persianTopics = readSourceFile(paths.persianTopics);
    }
    s.wordnetLinks = readSourceFile(dir.filePath(QLatin1String(kWordnetLinksPath)));
    const QDir wordnet(paths.wordnetDir);
    s.wordnet.noun = readSourceFile(wordnet.filePath(QStringLiteral("data.noun")));
    s.wordnet.verb = readSourceFile(wordnet.filePath(QStringLiteral("data.verb")));
    s.wordnet.adj = readSourceFile(wordnet.filePath(QStringLiteral("data.adj")));
    s.wordnet.adv = readSourceFile(wordnet.filePath(QStringLiteral("data.adv")));
    // Only orders the parts of speech; a WordNet without it converts all the same.
    if (QFile::exists(wordnet.filePath(QStringLiteral("cntlist.rev")))) {
        s.wordnet.senseCounts = readSourceFile(wordnet.filePath(QStringLiteral("cntlist.rev")));
    }
    const QDir cldr(dir.filePath(QLatin1String(kCldrPath)));
    const auto names = [&](const char *locale, const char *kind) {
        return readSourceFile(cldr.filePath(QStringLiteral("localenames/%1/%2.json")
                                                .arg(QLatin1String(locale), QLatin1String(kind))));
    };
    s.cldr.languagesEn = names("en", "languages");
    s.cldr.languagesFa = names("fa", "languages");
    s.cldr.territoriesEn = names("en", "territories");
    s.cldr.territoriesFa = names("fa", "territories");
    s.cldr.scriptsEn = names("en", "scripts");
    s.cldr.scriptsFa = names("fa", "scripts");
    s.cldr.annotationsEn =
        readSourceFile(cldr.filePath(QStringLiteral("annotations/en/annotations.json")));
    s.cldr.annotationsFa =
        readSourceFile(cldr.filePath(QStringLiteral("annotations/fa/annotations.json")));
    if (!paths.englishWords.isEmpty()) {
        s.forms = readFormSources(paths.englishWords, paths.wordnetDir);
        s.forms.wordnetLemmas.add(EnPos::Noun, s.wordnet.noun);
        s.forms.wordnetLemmas.add(EnPos::Verb, s.wordnet.verb);
        s.forms.wordnetLemmas.add(EnPos::Adj, s.wordnet.adj);
        s.forms.wordnetLemmas.add(EnPos::Adv, s.wordnet.adv);
    }
    if (!paths.colloquial.isEmpty()) {
        s.forms.persianColloquial = readSourceFile(paths.colloquial);
    }
    if (!paths.british.isEmpty()) {
        s.forms.britishSpellings = readSourceFile(paths.british);
    }
    if (!paths.presentStems.isEmpty()) {
        s.forms.presentStems = readSourceFile(paths.presentStems);
    }
    return s;
}

} // namespace vorlan::wordlists
