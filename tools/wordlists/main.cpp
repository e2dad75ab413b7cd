// vorlan-wordlists --sources DIR --out DIR: converts the raw Wiktionary
// extracts in DIR into the four word lists EN, EN2FA, FA and FA2EN. Exit 0 on
// success; 1 when a source is missing or garbled or the lists would break a
// format rule (nothing is written then); 64 for a wrong command line.
#include "converter.h"
#include "wordlistvalidator.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace vorlan;
using namespace vorlan::wordlists;

namespace {

void print(FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

void printReport(const ConversionReport &r) {
    print(stdout, QStringLiteral("read:"));
    for (auto it = r.read.begin(); it != r.read.end(); ++it) {
        print(stdout, QStringLiteral("  %1  %2").arg(it.value(), 7).arg(it.key()));
    }
    print(stdout, QStringLiteral("dropped or merged:"));
    for (auto it = r.dropped.begin(); it != r.dropped.end(); ++it) {
        print(stdout, QStringLiteral("  %1  %2").arg(it.value(), 7).arg(it.key()));
    }
    print(stdout, QStringLiteral("written: EN/EN2FA %1 records, FA/FA2EN %2 records")
                      .arg(r.englishHeadwords)
                      .arg(r.persianHeadwords));
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString sources;
    QString out;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--sources") {
            sources = args[i + 1];
        } else if (args[i] == u"--out") {
            out = args[i + 1];
        } else {
            sources.clear();
            break;
        }
    }
    if (args.size() != 5 || sources.isEmpty() || out.isEmpty()) {
        print(stderr, QStringLiteral("usage: vorlan-wordlists --sources DIR --out DIR"));
        return 64;
    }
    try {
        const ConversionResult result = convert(readSources(sources));
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
        printReport(result.report);
    } catch (const SourceError &e) {
        print(stderr, QStringLiteral("vorlan-wordlists: %1").arg(QString::fromStdString(e.what())));
        return 1;
    }
    return 0;
}
