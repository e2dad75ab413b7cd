// vorlan-validate DIR: checks the four word lists DIR/EN, DIR/EN2FA, DIR/FA and
// DIR/FA2EN. Exit 0 when they keep every rule, 1 at the first broken rule,
// 2 when a file is missing or cannot be read, 64 for a wrong command line.
#include "wordlistvalidator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace vorlan;

namespace {

void print(FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

bool readList(const QDir &dir, WordList list, QByteArray &bytes) {
    QFile file(dir.filePath(wordListName(list)));
    if (!file.open(QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("vorlan-validate: cannot read %1: %2")
                          .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        print(stderr, QStringLiteral("vorlan-validate: cannot read %1: %2")
                          .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args[1].startsWith(u'-')) {
        print(stderr,
              QStringLiteral("usage: vorlan-validate DIR  (DIR holds EN, EN2FA, FA, FA2EN)"));
        return 64;
    }
    const QDir dir(args[1]);
    WordListTexts texts;
    if (!readList(dir, WordList::En, texts.en) || !readList(dir, WordList::En2Fa, texts.en2fa) ||
        !readList(dir, WordList::Fa, texts.fa) || !readList(dir, WordList::Fa2En, texts.fa2en)) {
        return 2;
    }
    WordListCounts counts;
    if (const auto v = validateWordLists(texts, &counts)) {
        QString shown = v->text;
        if (shown.size() > 120) {
            shown = shown.left(117) + QStringLiteral("...");
        }
        print(stderr, QStringLiteral("%1 record %2: %3\n  record: \"%4\"")
                          .arg(wordListName(v->list))
                          .arg(v->record)
                          .arg(v->message, shown));
        return 1;
    }
    print(stdout, QStringLiteral("word lists valid: %1 English, %2 Persian records")
                      .arg(counts.english)
                      .arg(counts.persian));
    return 0;
}
