// vorlan-wordlists --sources DIR --wordnet DIR [--team FILE] [--core FILE] [--lemmas FILE]
// [--persian FILE] [--english-words FILE] [--colloquial FILE] [--british FILE]
// [--present-stems FILE] [--report] --out DIR: converts the open sources in DIR, with WordNet
// 3.0's data files for the wordnet links and the team's own lists, into the four word lists EN,
// EN2FA, FA and FA2EN; with Debian's English word list it adds the English lookup forms (the
// irregular ones from WordNet's exception lists); with the team's colloquial table, records for
// spoken Persian spellings, with its British table, records for British spellings, and with its
// table of present stems, the Persian present tenses the sources do not give.
// It prints one line of what it wrote; --report adds what it read and dropped.
// Exit 0 on success; 1 when a source is missing or garbled or the lists would
// break a format rule (nothing is written then); 64 for a wrong command line.
#include "converter.h"
#include "wordlistvalidator.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <iterator>

using namespace vorlan;
using namespace vorlan::wordlists;

namespace {

void print(FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

void printReport(const ConversionReport &r, bool full) {
    if (full) {
        print(stdout, QStringLiteral("read:"));
        for (auto it = r.read.begin(); it != r.read.end(); ++it) {
            print(stdout, QStringLiteral("  %1  %2").arg(it.value(), 7).arg(it.key()));
        }
        print(stdout, QStringLiteral("dropped or merged:"));
        for (auto it = r.dropped.begin(); it != r.dropped.end(); ++it) {
            print(stdout, QStringLiteral("  %1  %2").arg(it.value(), 7).arg(it.key()));
        }
    }
    const qsizetype enForms = r.read.value(QString::fromLatin1(kEnglishFormsCount));
    const qsizetype faForms = r.read.value(QString::fromLatin1(kPersianFormsCount));
    print(stdout, QStringLiteral("written: EN/EN2FA %1 records (%2 headwords, %3 lookup forms), "
                                 "FA/FA2EN %4 records (%5 headwords, %6 lookup forms)")
                      .arg(r.englishHeadwords)
                      .arg(r.englishHeadwords - enForms)
                      .arg(enForms)
                      .arg(r.persianHeadwords)
                      .arg(r.persianHeadwords - faForms)
                      .arg(faForms));
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool fullReport = args.removeAll(QStringLiteral("--report")) > 0;
    SourcePaths paths;
    QString out;
    // Every option takes a value and may be given once.
    const std::pair<QString, QString *> options[] = {
        {QStringLiteral("--sources"), &paths.sourcesDir},
        {QStringLiteral("--team"), &paths.teamList},
        {QStringLiteral("--core"), &paths.coreList},
        {QStringLiteral("--lemmas"), &paths.lemmaList},
        {QStringLiteral("--persian"), &paths.persianList},
        {QStringLiteral("--topics"), &paths.topicList},
        {QStringLiteral("--persian-topics"), &paths.persianTopics},
        {QStringLiteral("--wordnet"), &paths.wordnetDir},
        {QStringLiteral("--english-words"), &paths.englishWords},
        {QStringLiteral("--colloquial"), &paths.colloquial},
        {QStringLiteral("--british"), &paths.british},
        {QStringLiteral("--present-stems"), &paths.presentStems},
        {QStringLiteral("--out"), &out},
    };
    bool usable = args.size() % 2 == 1;
    for (qsizetype i = 1; usable && i + 1 < args.size(); i += 2) {
        const auto *option = std::find_if(std::begin(options), std::end(options),
                                          [&](const auto &o) { return o.first == args[i]; });
        usable = option != std::end(options) && option->second->isEmpty() && !args[i + 1].isEmpty();
        if (usable) {
            *option->second = args[i + 1];
        }
    }
    if (!usable || paths.sourcesDir.isEmpty() || paths.wordnetDir.isEmpty() || out.isEmpty()) {
        print(stderr, QStringLiteral("usage: vorlan-wordlists --sources DIR --wordnet DIR "
                                     "[--team FILE] [--core FILE] [--lemmas FILE] [--persian FILE] "
                                     "[--topics FILE] [--persian-topics FILE] "
                                     "[--english-words FILE] "
                                     "[--colloquial FILE] [--british FILE] [--present-stems FILE] "
                                     "[--report] --out DIR"));
        return 64;
    }
    try {
        const ConversionResult result = convert(readSources(paths));
        const WordListRecords &l = result.lists;
        const WordListTexts texts{
            wordlist::encode(l.en, WordList::En), wordlist::encode(l.en2fa, WordList::En2Fa),
            wordlist::encode(l.fa, WordList::Fa), wordlist::encode(l.fa2en, WordList::Fa2En)};
        if (const auto v = validateWordLists(texts)) {
            print(stderr, QStringLiteral("vorlan-wordlists: the converted %1 breaks a rule at "
                                         "record %2: %3 \"%4\"")
                              .arg(wordListName(v->list))
                              .arg(v->record)
                              .arg(v->message, v->text));
            return 1;
        }
        writeWordLists(l, out);
        printReport(result.report, fullReport);
    } catch (const SourceError &e) {
        print(stderr, QStringLiteral("vorlan-wordlists: %1").arg(QString::fromStdString(e.what())));
        return 1;
    }
    return 0;
}
