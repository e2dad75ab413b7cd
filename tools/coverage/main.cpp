// vorlan-coverage: what share of the words people meet the built word lists
// find, and whether common words carry their core translation.
//
//   vorlan-coverage [--lists DIR] [--frequency DIR] [--known FILE]
//                   [--check frequency|known|all] [--sample N [--seed S]]
//                   [--missing]
//
// Prints the coverage table and the known-answer share. --check compares the
// figures with the targets and fails (exit 1) when one is below, naming it;
// --sample prints N random records of each side instead (for review by eye);
// --missing prints every word of each top 20,000 that is not found, with its rank.
// Exit 2 when an input cannot be read, 64 for a wrong command line.
#include "coverage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QSet>

#include <cstdio>

using namespace vorlan::coverage;

namespace {

constexpr int kShownMissing = 20;

void print(const QString &text, FILE *stream = stdout) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

QString number(qsizetype n) {
    return QLocale(QLocale::English).toString(n);
}

QString percent(double p) {
    return QString::number(p, 'f', 1) + QStringLiteral(" %");
}

QString measureName(Language language, Measure measure) {
    if (measure == Measure::KnownAnswers) {
        return QStringLiteral("known answers");
    }
    return QStringLiteral("%1 top %2").arg(languageName(language), number(topSize(measure)));
}

struct Frequency {
    Language language;
    QString file;
    QStringList words;
    Figure figures[3]; // top 1,000, 5,000, 20,000
};

const Measure kTops[] = {Measure::Top1000, Measure::Top5000, Measure::Top20000};

QString describe(const KnownAnswerResult &r, const Lists &lists) {
    const KnownAnswer &a = *r.answer;
    const QString where =
        QStringLiteral("line %1, %2 \"%3\"")
            .arg(a.line)
            .arg(a.from == Language::English ? QStringLiteral("en") : QStringLiteral("fa"),
                 a.typed);
    if (r.record < 0) {
        return where + QStringLiteral(": no row selected");
    }
    const Side &side = lists.side(a.from);
    return where + QStringLiteral(": row \"%1\" holds none of \"%2\": %3")
                       .arg(side.visible(r.record), a.accepted.join(QStringLiteral("\" | \"")),
                            side.meanings.at(r.record));
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Coverage of the word lists on frequency lists, and known answers."));
    parser.addHelpOption();
    const QCommandLineOption listsOption(
        QStringLiteral("lists"), QStringLiteral("Folder of EN, EN2FA, FA, FA2EN."),
        QStringLiteral("dir"), QStringLiteral(VORLAN_DEFAULT_LISTS_DIR));
    const QCommandLineOption frequencyOption(
        QStringLiteral("frequency"), QStringLiteral("Folder of en_50k.txt and fa_25k_odd.txt."),
        QStringLiteral("dir"), QStringLiteral(VORLAN_DEFAULT_FREQUENCY_DIR));
    const QCommandLineOption knownOption(
        QStringLiteral("known"), QStringLiteral("The known-answer table."), QStringLiteral("file"),
        QStringLiteral(VORLAN_DEFAULT_KNOWN_ANSWERS));
    const QCommandLineOption checkOption(
        QStringLiteral("check"),
        QStringLiteral("Fail when a figure is below its target: frequency, known or all."),
        QStringLiteral("what"));
    const QCommandLineOption sampleOption(QStringLiteral("sample"),
                                          QStringLiteral("Print N random records of each side."),
                                          QStringLiteral("n"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the sample (default 1)."),
                                        QStringLiteral("s"), QStringLiteral("1"));
    const QCommandLineOption missingOption(
        QStringLiteral("missing"),
        QStringLiteral("Print every word of the top 20,000 that is not found."));
    parser.addOptions({listsOption, frequencyOption, knownOption, checkOption, sampleOption,
                       seedOption, missingOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        print(QStringLiteral("vorlan-coverage: unexpected argument %1; see --help")
                  .arg(parser.positionalArguments().first()),
              stderr);
        return 64;
    }

    QString error;
    const auto lists = readLists(parser.value(listsOption), &error);
    if (!lists) {
        print(QStringLiteral("vorlan-coverage: ") + error, stderr);
        return 2;
    }

    if (parser.isSet(sampleOption)) {
        bool okN = false;
        bool okSeed = false;
        const int n = parser.value(sampleOption).toInt(&okN);
        const uint32_t seed = parser.value(seedOption).toUInt(&okSeed);
        if (!okN || n < 1 || !okSeed) {
            print(QStringLiteral("vorlan-coverage: --sample takes a count of 1 or more and "
                                 "--seed a number from 0 to 4294967295"),
                  stderr);
            return 64;
        }
        for (const Language l : {Language::English, Language::Persian}) {
            const Side &side = lists->side(l);
            print(QStringLiteral("%1 sample: %2 of %3 records, seed %4")
                      .arg(languageName(l), number(std::min<qsizetype>(n, side.headwords.size())),
                           number(side.headwords.size()))
                      .arg(seed));
            // The sides draw apart, so the two samples share no record numbers by design.
            const uint32_t sideSeed = l == Language::English ? seed : seed + 1;
            for (const int i : sampleRecords(int(side.headwords.size()), n, sideSeed)) {
                print(QStringLiteral("%1\t%2\t%3").arg(i).arg(side.visible(i), side.meanings[i]));
            }
            print(QString());
        }
        return 0;
    }

    const QString check = parser.value(checkOption);
    if (parser.isSet(checkOption) && check != u"frequency" && check != u"known" &&
        check != u"all") {
        print(QStringLiteral("vorlan-coverage: --check takes frequency, known or all"), stderr);
        return 64;
    }
    const bool checkFrequency = check == u"frequency" || check == u"all";
    const bool checkKnown = check == u"known" || check == u"all";

    const RowFinder english(*lists, Language::English);
    const RowFinder persian(*lists, Language::Persian);
    const QString frequencyDir = parser.value(frequencyOption);
    Frequency frequency[] = {{Language::English, QStringLiteral("en_50k.txt"), {}, {}},
                             {Language::Persian, QStringLiteral("fa_25k_odd.txt"), {}, {}}};
    for (Frequency &f : frequency) {
        auto words = readFrequencyList(frequencyDir + u'/' + f.file, f.language, &error);
        if (!words) {
            print(QStringLiteral("vorlan-coverage: ") + error, stderr);
            return 2;
        }
        f.words = std::move(*words);
        const RowFinder &finder = f.language == Language::English ? english : persian;
        for (int t = 0; t < 3; ++t) {
            f.figures[t] = measureCoverage(f.words, topSize(kTops[t]), finder);
        }
        if (parser.isSet(missingOption)) {
            // Ranks let a reader cut the list at the top 1,000 or 5,000.
            const QSet<QString> missing(f.figures[2].missing.cbegin(), f.figures[2].missing.cend());
            const int top = int(std::min<qsizetype>(topSize(kTops[2]), f.words.size()));
            for (int i = 0; i < top; ++i) {
                if (missing.contains(f.words[i])) {
                    print(QStringLiteral("%1\t%2\t%3")
                              .arg(languageName(f.language))
                              .arg(i + 1)
                              .arg(f.words[i]));
                }
            }
        }
    }
    if (parser.isSet(missingOption)) {
        return 0;
    }

    QFile knownFile(parser.value(knownOption));
    if (!knownFile.open(QIODevice::ReadOnly)) {
        print(QStringLiteral("vorlan-coverage: cannot read %1: %2")
                  .arg(knownFile.fileName(), knownFile.errorString()),
              stderr);
        return 2;
    }
    const auto answers = parseKnownAnswers(QString::fromUtf8(knownFile.readAll()), &error);
    if (!answers) {
        print(QStringLiteral("vorlan-coverage: %1 %2").arg(knownFile.fileName(), error), stderr);
        return 2;
    }
    const auto results = checkKnownAnswers(*answers, *lists, english, persian);
    int passed[2] = {0, 0};
    int asked[2] = {0, 0};
    for (const KnownAnswerResult &r : results) {
        const int d = r.answer->from == Language::English ? 0 : 1;
        ++asked[d];
        passed[d] += r.passed ? 1 : 0;
    }
    const int allPassed = passed[0] + passed[1];
    const int allAsked = asked[0] + asked[1];
    const double knownShare = allAsked == 0 ? 0.0 : 100.0 * allPassed / allAsked;

    print(
        QStringLiteral("Word lists: %1 English and %2 Persian records")
            .arg(number(lists->english.headwords.size()), number(lists->persian.headwords.size())));
    print(QStringLiteral("Coverage: a word is found when the search pane selects a row equal to "
                         "it."));
    print(QStringLiteral("%1%2%3%4")
              .arg(QString(), -40)
              .arg(QStringLiteral("top 1,000"), 11)
              .arg(QStringLiteral("top 5,000"), 11)
              .arg(QStringLiteral("top 20,000"), 12));
    for (const Frequency &f : frequency) {
        const QString label = QStringLiteral("%1 (%2, %3 words)")
                                  .arg(languageName(f.language), f.file, number(f.words.size()));
        print(QStringLiteral("%1%2%3%4")
                  .arg(label, -40)
                  .arg(percent(f.figures[0].percent()), 11)
                  .arg(percent(f.figures[1].percent()), 11)
                  .arg(percent(f.figures[2].percent()), 12));
    }
    print(QStringLiteral("Known answers: %1 of %2 (%3); English to Persian %4 of %5, Persian to "
                         "English %6 of %7")
              .arg(allPassed)
              .arg(allAsked)
              .arg(percent(knownShare))
              .arg(passed[0])
              .arg(asked[0])
              .arg(passed[1])
              .arg(asked[1]));

    if (!checkFrequency && !checkKnown) {
        return 0;
    }
    bool failed = false;
    print(QString());
    for (const Target &t : kTargets) {
        const bool known = t.measure == Measure::KnownAnswers;
        if (known ? !checkKnown : !checkFrequency) {
            continue;
        }
        double value = knownShare;
        QString counts = QStringLiteral("%1 of %2").arg(allPassed).arg(allAsked);
        if (!known) {
            const Frequency &f = frequency[t.language == Language::English ? 0 : 1];
            const int index = t.measure == Measure::Top1000   ? 0
                              : t.measure == Measure::Top5000 ? 1
                                                              : 2;
            value = f.figures[index].percent();
            counts = QStringLiteral("%1 of %2")
                         .arg(number(f.figures[index].found), number(f.figures[index].considered));
        }
        const bool met = value >= t.minimum;
        failed = failed || !met;
        print(QStringLiteral("%1 %2: %3 (%4), target %5 %")
                  .arg(met ? QStringLiteral("ok    ") : QStringLiteral("BELOW "),
                       measureName(t.language, t.measure), percent(value), counts,
                       QString::number(t.minimum)));
    }
    if (checkFrequency) {
        for (const Frequency &f : frequency) {
            const QStringList &missing = f.figures[0].missing;
            if (missing.isEmpty()) {
                continue;
            }
            print(QStringLiteral("Missing from the %1 top 1,000 (first %2 of %3): %4")
                      .arg(languageName(f.language))
                      .arg(std::min<qsizetype>(kShownMissing, missing.size()))
                      .arg(missing.size())
                      .arg(missing.mid(0, kShownMissing).join(QStringLiteral(", "))));
        }
    }
    if (checkKnown) {
        for (const KnownAnswerResult &r : results) {
            if (!r.passed) {
                print(QStringLiteral("Known answer missed: ") + describe(r, *lists));
            }
        }
    }
    return failed ? 1 : 0;
}
