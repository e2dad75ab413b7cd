// The coverage report's measuring: which row a typed word selects, which
// frequency-list words count, the known-answer table and its comparison, the
// sample, and the tool's check on small lists written here.
#include "coverage.h"
#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;
using namespace vorlan::coverage;

namespace {

Side side(const QStringList &headwords) {
    Side s;
    s.headwords = headwords;
    for (qsizetype i = 0; i < headwords.size(); ++i) {
        s.meanings.append(u"meaning %1"_s.arg(i));
    }
    return s;
}

TEST(RowFinder, SelectsTheRowThePaneSelects) {
    const Side english =
        side({u"A"_s, u"Book"_s, u"C#"_s, u"Turkey"_s, u"turkey"_s, u"Zymosthenic\0"_s});
    const Side persian =
        side({u"علي رضا"_s, u"كتاب"_s, u"كتاب ها"_s, u"ماهي"_s, u"تاثير"_s, u"آسم"_s, u"اسم"_s,
              u"آينده"_s, u"مسئله"_s, u"احتمالا"_s, u"جزو"_s, u"مودب"_s});
    const Lists lists{english, persian};
    const RowFinder en(lists, Language::English);
    const RowFinder fa(lists, Language::Persian);
    const struct {
        const RowFinder &finder;
        QString typed;
        int record;
    } cases[] = {
        {en, u"book"_s, 1},
        {en, u"BOOK"_s, 1},
        {en, u"Book "_s, -1},          // the space stays and no headword has it
        {en, u"a"_s, -1},              // one character: the pane does not search
        {en, u"bo?"_s, -1},            // '?' is U+061F, never a wildcard
        {en, u"c#"_s, -1},             // equal text, but '#' asks for a digit
        {en, u"turkey"_s, 3},          // the first of rows equal ignoring case
        {en, u"zymosthenic"_s, 5},     // the last record's U+0000 is not shown
        {fa, u"کتاب"_s, 1},            // keheh typed, kaf listed
        {fa, u"کتاب‌ها"_s, 2}, // ZWNJ typed, space listed
        {fa, u"ماهی"_s, 3},            // Farsi yeh typed
        {fa, u"علىرضا"_s, 0},          // alef maksura reads as yeh and a space
        {fa, u"كتابها"_s, -1},         // joined plural is another word
        // Persian as typed today: hamza on its carrier, marks, a plain alef for madda.
        {fa, u"تأثیر"_s, 4},
        {fa, u"مؤدب"_s, 11},
        {fa, u"مسأله"_s, 8},   // ئ and أ meet
        {fa, u"جزء"_s, 10},    // a lone hamza after a consonant as waw
        {fa, u"احتمالاً"_s, 9}, // tanwin not read
        {fa, u"اسم"_s, 6},     // the row spelt as typed before آسم
        {fa, u"اینده"_s, 7},   // plain alef finds madda
        {fa, u"آسم"_s, 5},
        {fa, u"آینده"_s, 7},
        {fa, u"آتاثير"_s, -1}, // a typed madda finds only madda
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.finder.find(c.typed), c.record) << c.typed.toStdString();
    }
}

TEST(FrequencyLists, CountOnlyWordsOfTwoOrMoreLetters) {
    const struct {
        QString word;
        Language language;
        bool counted;
    } cases[] = {
        {u"the"_s, Language::English, true},
        {u"of"_s, Language::English, true},
        {u"i"_s, Language::English, false},
        {u"don't"_s, Language::English, false},
        {u"mp3"_s, Language::English, false},
        {u"Paris"_s, Language::English, false}, // the lists are lower case
        {u"کتاب"_s, Language::Persian, true},
        {u"کتاب‌ها"_s, Language::Persian, true},
        {u"خونۀ"_s, Language::Persian, true},
        {u"احتمالاً"_s, Language::Persian, true}, // typed with its tanwin
        {u"و"_s, Language::Persian, false},
        {u"‌و"_s, Language::Persian, false}, // ZWNJ is no letter
        {u"،"_s, Language::Persian, false},
        {u"ok"_s, Language::Persian, false},
        {u"۲۰"_s, Language::Persian, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(isCountedWord(c.word, c.language), c.counted) << c.word.toStdString();
    }
}

// The lists were cut at apostrophes: "don" and "didn" stand for "don't" and
// "didn't", found through the whole contraction; a real word is never
// stretched into one.
TEST(FrequencyLists, KeepOrderAndMeasureTheTopWithContractionsWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile f(dir.filePath(u"en.txt"_s));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("you 100\ni 90\nbook 80\ndon't 70\ndidn 65\nzzzq 60\ndon 55\nwater 50\n");
    f.close();
    QString error;
    const auto words = readFrequencyList(f.fileName(), Language::English, &error);
    ASSERT_TRUE(words) << error.toStdString();
    EXPECT_EQ(*words,
              (QStringList{u"you"_s, u"book"_s, u"didn"_s, u"zzzq"_s, u"don"_s, u"water"_s}));

    const Side english = side({u"Book"_s, u"Didn't"_s, u"Water"_s, u"You"_s});
    const RowFinder finder(Lists{english, side({})}, Language::English);
    const Figure top4 = measureCoverage(*words, 4, finder);
    EXPECT_EQ(top4.considered, 4);
    EXPECT_EQ(top4.found, 3);
    EXPECT_EQ(top4.missing, QStringList{u"zzzq"_s});
    const Figure beyond = measureCoverage(*words, 1000, finder);
    EXPECT_EQ(beyond.considered, 6);
    EXPECT_EQ(beyond.missing, (QStringList{u"zzzq"_s, u"don"_s}));

    const std::pair<QString, QString> halves[] = {{u"don"_s, u"don't"_s},
                                                  {u"ain"_s, u"ain't"_s},
                                                  {u"book"_s, {}},
                                                  {u"in"_s, {}},
                                                  {u"t"_s, {}}};
    for (const auto &[word, contraction] : halves) {
        EXPECT_EQ(contractionOf(word), contraction) << word.toStdString();
    }
    EXPECT_FALSE(readFrequencyList(dir.filePath(u"none.txt"_s), Language::English, &error));
    EXPECT_TRUE(error.contains(u"none.txt"_s));
}

TEST(KnownAnswers, RejectLinesThatWouldShrinkTheTable) {
    const struct {
        QString text;
        QString reason;
    } cases[] = {
        {u"en\tBook\n"_s, u"line 1: not three"_s},
        {u"en\tBook\tکتاب\nde\tBuch\tBook\n"_s, u"line 2: direction"_s},
        {u"en\tBook\tBook\n"_s, u"line 1: translation of an English word is not Persian"_s},
        {u"fa\tکتاب\tکتاب\n"_s, u"line 1: translation of a Persian word is not English"_s},
        {u"en\tBook\tکتاب | \n"_s, u"line 1: an empty translation"_s},
        {u"en\t \tکتاب\n"_s, u"line 1: no word"_s},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(parseKnownAnswers(c.text, &error)) << c.text.toStdString();
        EXPECT_TRUE(error.startsWith(c.reason)) << error.toStdString();
    }
}

TEST(KnownAnswers, AMeaningHoldsATranslationAsAWholeSense) {
    const struct {
        QString meaning;
        QString translation;
        bool holds;
    } cases[] = {
        {u"(.n): كتاب - نسك - (Middle Persian) نامك"_s, u"كتاب"_s, true},
        {u"(.n): كتاب - نسك - (Middle Persian) نامك"_s, u"نامك"_s, true},
        {u"(.n): كتاب فروشي"_s, u"كتاب"_s, false},
        {u"(.n): كتابخانه"_s, u"كتاب"_s, false},
        {u"(.n): سهام دار"_s, u"سهامدار"_s, true}, // joined, spaced: one spelling
        {u"(go=) (.vi): رفتن - شدن"_s, u"رفتن"_s, true},
        {u"Go - Leave - Pass away"_s, u"go"_s, true},
        {u"Go - Leave - Pass away"_s, u"pass"_s, false},
        {u"Bookcase"_s, u"Book"_s, false},
        {u"Plural: Book"_s, u"Book"_s, true},
        {u"(form) Book"_s, u"Book"_s, true},
        {u"Child, Kid"_s, u"Kid"_s, true},
        {u"بچه، كودك"_s, u"كودك"_s, true},
        {u"Be (See the Usage Notes) - Exist"_s, u"Be"_s, true},
        {u""_s, u"Be"_s, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(meaningHolds(c.meaning, c.translation), c.holds)
            << c.meaning.toStdString() << " / " << c.translation.toStdString();
    }
}

// The table as written (comments, blank lines and CRLF skipped; translations
// in the lists' letter forms, the typed word as typed), checked through the
// row the pane selects.
TEST(KnownAnswers, ParseAndCheckThroughTheSelectedRow) {
    Lists lists;
    lists.english = side({u"Book"_s, u"Go"_s});
    lists.english.meanings = QStringList{u"(.n): كتاب"_s, u"(.vi): شدن"_s};
    lists.persian = side({u"كتاب ها"_s});
    lists.persian.meanings = QStringList{u"Books"_s};
    QString error;
    const auto answers =
        parseKnownAnswers(u"# comment\r\nen\tbooks\tکتاب\r\n\nen\tBOOK\tدفتر | کتاب\n"
                          u"en\tGo\tرفتن\nfa\tکتاب‌ها\tBooks\n"_s,
                          &error);
    ASSERT_TRUE(answers) << error.toStdString();
    ASSERT_EQ(answers->size(), 4u);
    EXPECT_EQ((*answers)[0].line, 2);
    EXPECT_EQ((*answers)[1].line, 4);
    EXPECT_EQ((*answers)[1].accepted, (QStringList{u"دفتر"_s, u"كتاب"_s}));
    EXPECT_EQ((*answers)[3].from, Language::Persian);
    EXPECT_EQ((*answers)[3].typed, u"کتاب‌ها"_s);
    std::vector<std::pair<int, bool>> results; // the row selected, and whether it passed
    for (const auto &r : checkKnownAnswers(*answers, lists, RowFinder(lists, Language::English),
                                           RowFinder(lists, Language::Persian))) {
        results.emplace_back(r.record, r.passed);
    }
    // BOOK found through a second translation; Go found, but its meaning lacks the translation.
    EXPECT_EQ(results,
              (std::vector<std::pair<int, bool>>{{-1, false}, {0, true}, {1, false}, {0, true}}));
}

// The four lists, two frequency lists and a known-answer table in a folder.
class Tool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    void write(const QString &name, const QByteArray &bytes) {
        QFile f(dir_.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void writeLists(const QStringList &en, const QStringList &fa) {
        using vorlan::testing::encodeWordList;
        QStringList en2fa;
        QStringList fa2en;
        for (qsizetype i = 0; i < en.size(); ++i) {
            en2fa << u"(.n): معني %1"_s.arg(i);
        }
        for (qsizetype i = 0; i < fa.size(); ++i) {
            fa2en << u"Meaning %1"_s.arg(i);
        }
        write(u"EN"_s, encodeWordList(en, true));
        write(u"EN2FA"_s, encodeWordList(en2fa, true));
        write(u"FA"_s, encodeWordList(fa, true));
        write(u"FA2EN"_s, encodeWordList(fa2en, false));
    }

    // The exit code, and the output in *out; -1 for a crash or a hang.
    int run(const QStringList &args, QString *out) {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral(VORLAN_COVERAGE_TOOL),
                   QStringList{u"--lists"_s, dir_.path(), u"--frequency"_s, dir_.path(),
                               u"--known"_s, dir_.filePath(u"known.txt"_s)} +
                       args);
        const bool ended = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit;
        *out = QString::fromUtf8(tool.readAll());
        return ended ? tool.exitCode() : -1;
    }

    QTemporaryDir dir_;
};

TEST_F(Tool, ChecksTheTargetsAndNamesWhatIsMissing) {
    // 5,000 English words of which the lists lack every 200th of the first
    // 1,000 (99.5 %, above its target) and every 20th after them (95.9 % of
    // the 5,000), and three Persian words of which they lack one (66.7 %:
    // below the top 1,000's target, above the top 20,000's).
    const auto letters = [](int i) {
        QString w = u"w"_s;
        do {
            w += QChar(u'a' + i % 26);
            i /= 26;
        } while (i > 0);
        return w;
    };
    QByteArray enFreq;
    QStringList en;
    for (int i = 0; i < 5000; ++i) {
        enFreq += (letters(i) + u" 1\n"_s).toUtf8();
        if (i < 1000 ? i % 200 != 0 : i % 20 != 0) {
            en << letters(i).left(1).toUpper() + letters(i).mid(1);
        }
    }
    writeLists(en, {u"آب"_s, u"نان"_s});
    write(u"en_50k.txt"_s, enFreq);
    write(u"fa_25k_odd.txt"_s, "آب 5\nکتاب 4\nنان 3\n"_ba);
    write(u"known.txt"_s, "fa\tآب\tMeaning 0\nen\tzzzz\tآب\n"_ba);

    QString out;
    EXPECT_EQ(run({}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(u"Known answers: 1 of 2 (50.0 %)"_s)) << out.toStdString();
    EXPECT_FALSE(out.contains(u"BELOW"_s)) << out.toStdString();

    EXPECT_EQ(run({u"--check"_s, u"frequency"_s}, &out), 1) << out.toStdString();
    for (const QString &line : {
             u"ok     English top 1,000: 99.5 % (995 of 1,000), target 99 %"_s,
             u"ok     English top 5,000: 95.9 % (4,795 of 5,000), target 93 %"_s,
             u"ok     English top 20,000: 95.9 % (4,795 of 5,000), target 77 %"_s,
             u"BELOW  Persian top 1,000: 66.7 % (2 of 3), target 90 %"_s,
             u"ok     Persian top 20,000: 66.7 % (2 of 3), target 55 %"_s,
             u"Missing from the English top 1,000 (first 5 of 5): wa, wsh, wkp, wcx, wueb"_s,
             u"Missing from the Persian top 1,000 (first 1 of 1): کتاب"_s,
         }) {
        EXPECT_TRUE(out.contains(line)) << line.toStdString() << "\n" << out.toStdString();
    }
    EXPECT_FALSE(out.contains(u"known answers:"_s)) << out.toStdString();

    EXPECT_EQ(run({u"--check"_s, u"known"_s}, &out), 1) << out.toStdString();
    EXPECT_TRUE(out.contains(u"BELOW  known answers: 50.0 % (1 of 2), target 100 %"_s))
        << out.toStdString();
    EXPECT_TRUE(out.contains(u"line 2, en \"zzzz\": no row selected"_s)) << out.toStdString();
    EXPECT_FALSE(out.contains(u"Missing from"_s)) << out.toStdString();

    // --missing lists every miss with its rank.
    EXPECT_EQ(run({u"--missing"_s}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.startsWith(u"English\t1\twa\n"_s) && out.endsWith(u"Persian\t2\tکتاب\n"_s))
        << out.toStdString();

    // Once every Persian word is there the frequency check passes.
    writeLists(en, {u"آب"_s, u"كتاب"_s, u"نان"_s});
    EXPECT_EQ(run({u"--check"_s, u"frequency"_s}, &out), 0) << out.toStdString();
}

TEST_F(Tool, RefusesUnreadableInputAndBadOptions) {
    QString out;
    EXPECT_EQ(run({}, &out), 2) << out.toStdString(); // no lists yet
    EXPECT_TRUE(out.contains(u"cannot read"_s)) << out.toStdString();
    writeLists({u"Book"_s}, {u"آب"_s});
    write(u"en_50k.txt"_s, "book 1\n"_ba);
    write(u"fa_25k_odd.txt"_s, "آب 1\n"_ba);
    write(u"known.txt"_s, "en\tBook\n"_ba);
    EXPECT_EQ(run({}, &out), 2) << out.toStdString();
    EXPECT_TRUE(out.contains(u"line 1: not three tab-separated fields"_s)) << out.toStdString();
    write(u"known.txt"_s, "en\tBook\tکتاب\n"_ba);
    EXPECT_EQ(run({u"--check"_s, u"everything"_s}, &out), 64) << out.toStdString();
    EXPECT_EQ(run({u"--sample"_s, u"0"_s}, &out), 64) << out.toStdString();
    EXPECT_EQ(run({u"--sample"_s, u"1"_s, u"--seed"_s, u"x"_s}, &out), 64) << out.toStdString();
    // A pair that disagrees in its number of records is not measured.
    write(u"FA2EN"_s, vorlan::testing::encodeWordList({u"Water"_s, u"Juice"_s}, false));
    EXPECT_EQ(run({}, &out), 2) << out.toStdString();
    EXPECT_TRUE(out.contains(u"FA has 1 records but FA2EN has 2"_s)) << out.toStdString();
}

// The same seed draws the same records, in order and spread over the list;
// each printed line is "index<TAB>headword<TAB>meaning" of one record.
TEST_F(Tool, SamplesRecordsOfBothSidesBySeed) {
    QStringList en;
    QStringList fa;
    for (int i = 0; i < 200; ++i) {
        en << u"Word%1"_s.arg(i);
        fa << u"واژه %1"_s.arg(i);
    }
    writeLists(en, fa);
    QString first, again, other;
    ASSERT_EQ(run({u"--sample"_s, u"50"_s, u"--seed"_s, u"7"_s}, &first), 0) << first.toStdString();
    ASSERT_EQ(run({u"--sample"_s, u"50"_s, u"--seed"_s, u"7"_s}, &again), 0);
    ASSERT_EQ(run({u"--sample"_s, u"50"_s, u"--seed"_s, u"8"_s}, &other), 0);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    EXPECT_TRUE(first.contains(u"Persian sample: 50 of 200 records, seed 7"_s));
    std::map<bool, std::vector<int>> drawn; // by side: Persian or not
    for (const QString &line : first.split(u'\n')) {
        const QStringList f = line.split(u'\t');
        if (f.size() == 3) {
            const int i = f[0].toInt();
            const bool persian = f[1].startsWith(u"واژه"_s);
            EXPECT_EQ(f[1], persian ? u"واژه %1"_s.arg(i) : u"Word%1"_s.arg(i));
            EXPECT_EQ(f[2], persian ? u"Meaning %1"_s.arg(i) : u"(.n): معني %1"_s.arg(i));
            drawn[persian].push_back(i);
        }
    }
    for (const auto &[persian, indices] : drawn) {
        EXPECT_EQ(indices.size(), 50u);
        EXPECT_TRUE(std::is_sorted(indices.begin(), indices.end()) &&
                    std::adjacent_find(indices.begin(), indices.end()) == indices.end());
        EXPECT_GT(indices.back(), 100) << persian;
    }
    EXPECT_EQ(drawn.size(), 2u);
}

} // namespace
