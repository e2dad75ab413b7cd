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
    return s;
}

} // namespace vorlan::wordlists
