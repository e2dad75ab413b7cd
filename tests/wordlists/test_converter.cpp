// The converter on small extracts written here, in the shape of the real ones.
#include "converter.h"
#include "englishtext.h"
#include "sourceparsers.h"
#include "wordlistvalidator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;
using namespace vorlan::wordlists;

namespace {

const QByteArray kTranslations = R"(# English :: Persian dictionary
abandon {n} (a giving up to natural impulses) :: بی‌قیدی
abandon {v} (to give up) :: دست کشیدن /dast kashidan/, رها کردن /rahâ kardan/
abdomen {n} (belly) :: شکم /šekam/, کم /kom/ [dialectal]
awaken {v} (intransitive: to stop sleeping) :: بیدار شدن /bidâr šodan/
café {n} (coffee shop) :: کافه /kâfe/
go {v} (to move) :: رفتن /raftan/
turkey {n} (bird) :: بوقلمون /buqalamun/
Turkey {prop} (country) :: ترکیه /torkiye/
3D {adj} (three-dimensional) :: سه بعدی
seat {n} (place to sit) :: ﻩﺎﮔ ﻥﻤﻴﺸﻨ
because {prep} (for the reason that) :: بخاطر - به جهت
melt {v} (to become liquid) :: ذوب کردن: تبدیل به مایع کردن
primrose {n} (plant) :: : پامچال
what is your name {phrase} (question) :: اسم شما چیست?
my {determiner} (belonging to me) :: -ام, یک -ی
zone {n} (area) :: 1 منطقه
no translations here
)"_ba;

const QByteArray kWiktextract =
    R"(آب|آب‌ها|âb|Term?	<i>noun</i><br><ol><li>water</li><li>honour, reputation, standing</li></ol>
ایستادگی کردن|istâdegi kardan	<i>verb</i><br><ol><li>to resist</li></ol>
ـآباد	<i>suffix</i><br><ol><li>Forms names of towns.</li></ol>
آبادی	<i>noun</i><br><ol><li>Alternative form of آباد</li></ol>
کورتاژ	<i>noun</i><br><ol><li>D&amp;C</li><li>a &bogus; entity</li></ol>
پند	<i>noun</i><br><ol><li>advice</li></ol>
آب در هاون کوبیدن	<i>proverb</i><br><ol><li>to beat a dead horse: to persist to do something pointless, to make a futile attempt, or to do something in vain beyond any reason.</li></ol>
اهل|ahl	
)"_ba;

ConversionResult convertFixture() {
    return convert({kTranslations, kWiktextract});
}

QString meaningOf(const QStringList &heads, const QStringList &meanings, const QString &head) {
    const qsizetype i = heads.indexOf(head);
    return i < 0 ? u"<absent>"_s : meanings[i];
}

WordListTexts encodeAll(const WordListRecords &l) {
    return {wordlist::encode(l.en, WordList::En), wordlist::encode(l.en2fa, WordList::En2Fa),
            wordlist::encode(l.fa, WordList::Fa), wordlist::encode(l.fa2en, WordList::Fa2En)};
}

TEST(Converter, OutputKeepsEveryFormatRule) {
    const auto v = validateWordLists(encodeAll(convertFixture().lists));
    EXPECT_FALSE(v) << v->message.toStdString();
}

// Part-of-speech markers, merging of both sources and of "turkey"/"Turkey",
// reversal in both directions and the Persian letter forms.
TEST(Converter, EnglishMeanings) {
    const WordListRecords l = convertFixture().lists;
    const std::pair<QString, QString> expected[] = {
        {u"Abandon"_s, u"(.n): بي قيدي - (.vt): دست كشيدن - رها كردن"_s},
        {u"Abdomen"_s, u"(.n): شكم - (dialectal) كم"_s},
        {u"Awaken"_s, u"(.vi): بيدار شدن"_s},
        {u"Go"_s, u"(.vi): رفتن"_s},
        {u"Cafe"_s, u"(.n): كافه"_s},
        {u"Turkey"_s, u"تركيه - (.n): بوقلمون"_s},
        {u"Water"_s, u"(.n): آب"_s},
        {u"Standing"_s, u"(.n): آب"_s},
        {u"Resist"_s, u"(.vt): ايستادگي كردن"_s},
        {u"Advice"_s, u"(.n): پند"_s},
        {u"3D"_s, u"<absent>"_s},
        {u"Seat"_s, u"<absent>"_s},
        {u"Entity"_s, u"<absent>"_s},
        {u"Beat a dead horse"_s, u"<absent>"_s},
    };
    for (const auto &[head, meaning] : expected) {
        EXPECT_EQ(meaningOf(l.en, l.en2fa, head), meaning) << head.toStdString();
    }
}

TEST(Converter, PersianMeanings) {
    const WordListRecords l = convertFixture().lists;
    const std::pair<QString, QString> expected[] = {
        {u"آب"_s, u"Water - Honour - Reputation - Standing"_s},
        {u"ايستادگي كردن"_s, u"Resist"_s},
        {u"بي قيدي"_s, u"Abandon"_s},
        {u"رها كردن"_s, u"Abandon"_s},
        {u"كم"_s, u"Abdomen (dialectal)"_s},
        {u"تركيه"_s, u"Turkey"_s},
        {u"سه بعدي"_s, u"3D"_s},
        {u"كورتاژ"_s, u"D&C"_s},
        {u"آب در هاون كوبيدن"_s, u"To beat a dead horse"_s}, // a proverb keeps its "to"
        {u"آب ها"_s, u"<absent>"_s},                         // inflected key
        {u"آباد"_s, u"<absent>"_s},                          // affix
        {u"آبادي"_s, u"<absent>"_s},                         // only a form-of gloss
        {u"اهل"_s, u"<absent>"_s},                           // no sense at all
        // Notes around a Persian headword go; the word stays.
        {u"بخاطر"_s, u"Because"_s},
        {u"به جهت"_s, u"Because"_s},
        {u"ذوب كردن"_s, u"Melt"_s},
        {u"پامچال"_s, u"Primrose"_s},
        {u"اسم شما چيست"_s, u"What is your name"_s},
        {u"-ام"_s, u"<absent>"_s}, // affixes and numbers are not headwords
        {u"يك -ي"_s, u"<absent>"_s},
        {u"1 منطقه"_s, u"<absent>"_s},
    };
    for (const auto &[head, meaning] : expected) {
        EXPECT_EQ(meaningOf(l.fa, l.fa2en, head), meaning) << head.toStdString();
    }
    for (const QString &head : l.en + l.fa) {
        EXPECT_NE(head, u"Term?"_s);
        EXPECT_NE(head, u"Ab"_s);
    }
}

TEST(Converter, CountsWhatItDrops) {
    const ConversionReport r = convertFixture().report;
    const std::pair<QString, qsizetype> expected[] = {
        {u"2022 key: placeholder Term?"_s, 1},
        {u"2022 key: romanisation (not a headword)"_s, 2},
        {u"2022 entry: affix written with tatweel"_s, 1},
        {u"2022 sense: form-of, alternative form, plural of"_s, 1},
        {u"2022 sense with an undecodable HTML entity"_s, 1},
        {u"EN headword with characters outside the allowed set"_s, 1},
        {u"2015 line not of the form HEADWORD {pos} :: TRANSLATIONS"_s, 1},
        {u"2015 headwords merged with one differing only in case"_s, 1},
        {u"FA headword that is an affix or does not begin with a Persian letter"_s, 3},
    };
    for (const auto &[reason, count] : expected) {
        EXPECT_EQ(r.dropped.value(reason), count) << reason.toStdString();
    }
    EXPECT_EQ(r.englishHeadwords, convertFixture().lists.en.size());
}

TEST(Converter, GarbledSourcesAreErrors) {
    EXPECT_THROW(convert({"\xFF\xFE\x41\x00"_ba, kWiktextract}), SourceError);
    EXPECT_THROW(convert({kTranslations, "no tab anywhere\n"_ba}), SourceError);
    EXPECT_THROW(convert({QByteArray(), QByteArray()}), SourceError);
}

TEST(JoinSenses, CutsOnlyBetweenSenses) {
    const QStringList senses = {u"aaa"_s, u"bbb"_s, u"ccc"_s};
    const std::tuple<qsizetype, QString, qsizetype> cases[] = {
        {100, u"aaa - bbb - ccc"_s, 0},
        {15, u"aaa - bbb - ccc"_s, 0},
        {14, u"aaa - bbb"_s, 1},
        {8, u"aaa"_s, 2},
        {2, QString(), 3},
    };
    for (const auto &[limit, joined, dropped] : cases) {
        qsizetype left = -1;
        EXPECT_EQ(joinSenses(senses, limit, &left), joined) << limit;
        EXPECT_EQ(left, dropped) << limit;
    }
}

TEST(Converter, LongMeaningEndsAtASense) {
    QByteArray line = "many {n} (a lot) :: ";
    const QString letters = u"آئابپتثجچحخدذرزژسشصضطظعغفقكگلمنهوي"_s;
    QStringList words;
    for (int i = 0; i < 60; ++i) {
        words << u"كلمه"_s + QString(letters[i % 34]).repeated(1 + i % 3);
    }
    line += words.join(u", "_s).toUtf8() + "\n";
    const WordListRecords l = convert({line, kWiktextract}).lists;
    const QString meaning = meaningOf(l.en, l.en2fa, u"Many"_s);
    ASSERT_LE(meaning.size(), 325);
    ASSERT_GT(meaning.size(), 300);
    const QStringList parts = meaning.mid(6).split(u" - "_s); // after "(.n): "
    for (const QString &p : parts) {
        EXPECT_TRUE(words.contains(p)) << p.toStdString();
    }
}

struct SenseCase {
    QString gloss;
    bool verb;
    QStringList senses;
    QStringList keys; // reversal keys, "" where none
};

TEST(EnglishSenses, SplitLabelAndReverse) {
    const SenseCase cases[] = {
        {u"honour, reputation, standing"_s,
         false,
         {u"Honour"_s, u"Reputation"_s, u"Standing"_s},
         {u"Honour"_s, u"Reputation"_s, u"Standing"_s}},
        {u"(vulgar) semen, cum"_s,
         false,
         {u"Semen (vulgar)"_s, u"Cum (vulgar)"_s},
         {u"Semen"_s, u"Cum"_s}},
        {u"to resist"_s, true, {u"Resist"_s}, {u"Resist"_s}},
        {u"negligence; carelessness"_s,
         false,
         {u"Negligence"_s, u"Carelessness"_s},
         {u"Negligence"_s, u"Carelessness"_s}},
        {u"a city, building"_s, false, {u"A city"_s, u"Building"_s}, {u"City"_s, u"Building"_s}},
        {u"common law (in contradistinction to Islamic sharia law)"_s,
         false,
         {u"Common law"_s},
         {u"Common law"_s}},
        {u"horse's bit; (loosely) bridle"_s,
         false,
         {u"Horse's bit"_s, u"Bridle (loosely)"_s},
         {u"Horse's bit"_s, u"Bridle"_s}},
        {u"the Ka\u02BBba or square temple at Mecca"_s,
         false,
         {u"The Ka'ba or square temple at Mecca"_s},
         {QString()}},
        {u"lit. water of life"_s, false, {u"Lit. water of life"_s}, {QString()}},
        {u"caf\u00E9"_s, false, {u"Cafe"_s}, {u"Cafe"_s}},
        {u"Hamzeh. Its name is \u0647\u0645\u0632\u0647."_s, false, {}, {}},
    };
    for (const auto &c : cases) {
        const QList<EnglishSense> got = englishSenses(c.gloss, c.verb);
        QStringList texts;
        QStringList keys;
        for (const EnglishSense &s : got) {
            texts << s.text;
            keys << reversalKey(s, false);
        }
        EXPECT_EQ(texts, c.senses) << c.gloss.toStdString();
        EXPECT_EQ(keys, c.keys) << c.gloss.toStdString();
    }
}

TEST(EnglishHeadwords, FoldCapitaliseOrRefuse) {
    const std::tuple<QString, QString, HeadwordProblem> cases[] = {
        {u"caf\u00E9"_s, u"Cafe"_s, HeadwordProblem::None},
        {u"c'mon"_s, u"C'mon"_s, HeadwordProblem::None},
        {u"AIDS"_s, u"AIDS"_s, HeadwordProblem::None},
        {u"\u00E6sthete"_s, u"Aesthete"_s, HeadwordProblem::None},
        {u"3D"_s, QString(), HeadwordProblem::Characters},
        {u"-ism"_s, QString(), HeadwordProblem::Characters},
        {u"e=mc2"_s, QString(), HeadwordProblem::Characters},
        {u"x"_s.repeated(33), QString(), HeadwordProblem::TooLong},
    };
    for (const auto &[raw, head, problem] : cases) {
        HeadwordProblem p = HeadwordProblem::None;
        EXPECT_EQ(makeEnHeadword(raw, &p), head) << raw.toStdString();
        EXPECT_EQ(p, problem) << raw.toStdString();
    }
}

TEST(SourceParsers, JunkAndMarkup) {
    EXPECT_TRUE(isFormOfGloss(u"(archaic) Alternative form of \u0622\u0628\u0627\u062F"_s));
    EXPECT_TRUE(isFormOfGloss(u"reformists, plural of \u0627\u0635\u0644\u0627\u062D"_s));
    EXPECT_FALSE(isFormOfGloss(u"polite form of address"_s));

    EXPECT_EQ(decodeHtmlText(u"D&amp;C &#233; &#x41;"_s), u"D&C \u00E9 A"_s);
    EXPECT_EQ(decodeHtmlText(u"A & E <b>(UK)</b>"_s), u"A & E (UK)"_s);
    EXPECT_EQ(decodeHtmlText(u"&bogus;"_s), std::nullopt);

    const auto t = parseTranslationLine(
        u"brother {n} (male sibling) :: \u0628\u0631\u0627\u062F\u0631 {m} /barâdar/, "
        u"[colloquial] \u062F\u0627\u062F\u0627\u0634 /dâdâš/"_s);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->headword, u"brother"_s);
    EXPECT_EQ(t->pos, u"n"_s);
    ASSERT_EQ(t->items.size(), 2);
    EXPECT_EQ(t->items[0].text, u"\u0628\u0631\u0627\u062F\u0631"_s);
    EXPECT_EQ(t->items[1].qualifiers, QStringList{u"colloquial"_s});

    // Transliterations torn in the source must not glue two translations
    // together or leave Latin letters on a Persian word.
    const std::pair<QString, QStringList> torn[] = {
        {u"sweet {adj} :: شیرین /shirin) (1/, ناز /nāz) (2/"_s, {u"شیرین"_s, u"ناز"_s}},
        {u"body {n} (corpse) :: جنازه /jenāza/e, كالبد /kālbod/"_s, {u"جنازه"_s, u"كالبد"_s}},
    };
    for (const auto &[line, items] : torn) {
        const auto p = parseTranslationLine(line);
        ASSERT_TRUE(p) << line.toStdString();
        QStringList texts;
        for (const TranslationItem &i : p->items) {
            texts << i.text;
        }
        EXPECT_EQ(texts, items) << line.toStdString();
    }
}

// The tool itself: two runs, two processes (so a hash seed cannot leak into
// the order), the same bytes; and clear failures for missing or bad sources.
class ConverterTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        write(QString::fromLatin1(kTranslationListPath), kTranslations);
        write(QString::fromLatin1(kWiktextractPath), kWiktextract);
    }
    void write(const QString &relative, const QByteArray &bytes) {
        const QString path = dir.filePath(u"src/"_s + relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    int run(const QString &out, QString *stderrText = nullptr) {
        QProcess p;
        p.start(QStringLiteral(VORLAN_WORDLISTS_TOOL),
                {u"--sources"_s, dir.filePath(u"src"_s), u"--out"_s, dir.filePath(out)});
        if (!p.waitForFinished(60000)) {
            p.kill();
            return -1;
        }
        if (stderrText) {
            *stderrText = QString::fromUtf8(p.readAllStandardError());
        }
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QByteArray read(const QString &relative) {
        QFile f(dir.filePath(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(ConverterTool, SameSourcesSameBytes) {
    ASSERT_EQ(run(u"one"_s), 0);
    ASSERT_EQ(run(u"two"_s), 0);
    for (const char *name : {"EN", "EN2FA", "FA", "FA2EN"}) {
        const QByteArray one = read(u"one/"_s + QLatin1String(name));
        EXPECT_FALSE(one.isEmpty()) << name;
        EXPECT_EQ(one, read(u"two/"_s + QLatin1String(name))) << name;
    }
}

TEST_F(ConverterTool, MissingOrGarbledSourceFailsCleanly) {
    write(QString::fromLatin1(kWiktextractPath), "\xC3\x28 not UTF-8\t<i>noun</i>"_ba);
    QString err;
    EXPECT_EQ(run(u"bad"_s, &err), 1);
    EXPECT_TRUE(err.contains(u"not valid UTF-8"_s)) << err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(u"bad/EN"_s)));

    QFile::remove(dir.filePath(u"src/"_s + QString::fromLatin1(kWiktextractPath)));
    EXPECT_EQ(run(u"missing"_s, &err), 1);
    EXPECT_TRUE(err.contains(u"cannot read"_s)) << err.toStdString();
}

} // namespace
