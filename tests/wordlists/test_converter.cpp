// The converter on small extracts written here, in the shape of the real ones.
#include "converter.h"
#include "englishtext.h"
#include "readers.h"
#include "sourcefixtures.h"
#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;
using namespace vorlan::wordlists;
namespace fx = vorlan::wordlists::fixtures;

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
sweet {adj} :: شیرین /shirin) (1/, ناز /nāz) (2/
body {n} (corpse) :: جنازه /jenāza/e, كالبد /kālbod/
snow {n} (precipitation) :: برف /barf, barf/
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

const WordListRecords &converted() {
    static const WordListRecords lists = convert(fx::sources(kTranslations, kWiktextract)).lists;
    return lists;
}

// Part-of-speech markers, both sources merged, "turkey" and "Turkey" made
// one, reversal both ways, the letter forms, and what is left out.
TEST(Converter, Meanings) {
    fx::expectMeanings(
        converted(),
        {u"Abandon → (.n): بي قيدي - (.vt): دست كشيدن - رها كردن"_s,
         u"Abdomen → (.n): شكم"_s, // the dialectal word beside the current one goes
         u"Awaken → (.vi): بيدار شدن"_s, u"Go → (.vi): رفتن"_s, u"Cafe → (.n): كافه"_s,
         u"Turkey → (.n): بوقلمون - تركيه"_s, // the common word before the name
         u"Water → (.n): آب"_s, u"Resist → (.vt): ايستادگي كردن"_s,
         u"Sweet → (.adj): شيرين - ناز"_s, u"Snow → (.n): برف"_s, u"3D → <absent>"_s,
         u"Seat → <absent>"_s, // presentation forms
         u"Beat a dead horse → <absent>"_s, u"آب → Water - Honour - Reputation - Standing"_s,
         u"ايستادگي كردن → Resist"_s, u"كم → Abdomen (dialectal)"_s, u"سه بعدي → 3D"_s,
         u"آب در هاون كوبيدن → To beat a dead horse"_s, // a proverb keeps its "to"
         u"آباد → <absent>"_s,                          // affix
         u"آبادي → <absent>"_s,                         // only a form-of gloss
         // Notes around a Persian headword and torn transliterations go; the word stays.
         u"بخاطر → Because"_s, u"به جهت → Because"_s, u"ذوب كردن → Melt"_s, u"پامچال → Primrose"_s,
         u"اسم شما چيست → What is your name"_s, u"ناز → Sweet"_s, u"جنازه → Body"_s,
         u"كالبد → Body"_s, u"برف → Snow"_s, u"بيقيدي → Abandon"_s, // typed without its joiner
         u"-ام → <absent>"_s, // affixes and numbers are not headwords
         u"1 منطقه → <absent>"_s, u"كورتاژ → D&C"_s});
}

TEST(Converter, SourcesWithoutEntriesAreErrors) {
    EXPECT_THROW(convert(fx::sources(kTranslations, "no tab anywhere\n"_ba)), SourceError);
    EXPECT_THROW(convert(fx::sources({}, {})), SourceError);
}

TEST(JoinSenses, CutsOnlyBetweenSenses) {
    const std::tuple<qsizetype, QString, qsizetype> cases[] = {
        {15, u"aaa - bbb - ccc"_s, 0}, {14, u"aaa - bbb"_s, 1}, {8, u"aaa"_s, 2}, {2, u""_s, 3}};
    for (const auto &[limit, joined, dropped] : cases) {
        qsizetype left = -1;
        EXPECT_EQ(joinSenses({u"aaa"_s, u"bbb"_s, u"ccc"_s}, limit, &left), joined) << limit;
        EXPECT_EQ(left, dropped) << limit;
    }
}

TEST(EnglishSenses, SplitLabelAndReverse) {
    // Gloss, then its senses joined by "|", each with ">KEY" where its
    // reversal key is not the sense itself.
    const std::pair<QString, QString> cases[] = {
        {u"(vulgar) semen, cum"_s, u"Semen (vulgar)>Semen|Cum (vulgar)>Cum"_s},
        {u"negligence; carelessness"_s, u"Negligence|Carelessness"_s},
        {u"a city, building"_s, u"A city>City|Building"_s},
        {u"common law (in contradistinction to Islamic sharia law)"_s, u"Common law"_s},
        {u"horse's bit; (loosely) bridle"_s, u"Horse's bit|Bridle (loosely)>Bridle"_s},
        {u"lit. water of life"_s, u"Lit. water of life>"_s},
        {u"Hamzeh. Its name is \u0647\u0645\u0632\u0647."_s, u""_s},
        // A description stays one sense: no fragment ("of") becomes a headword.
        {u"paradisiacal; of, or relating to, paradise"_s,
         u"Paradisiacal|Of, or relating to, paradise>"_s},
        {u"books, papers, etc"_s, u"Books|Papers"_s},
        // An adverb alone is a word of its own, no continuation.
        {u"mostly"_s, u"Mostly"_s},
    };
    for (const auto &[gloss, senses] : cases) {
        QStringList shown;
        for (const EnglishSense &s : englishSenses(gloss, false)) {
            const QString key = reversalKey(s, false);
            shown << (key == s.text ? key : s.text + u'>' + key);
        }
        EXPECT_EQ(shown.join(u'|'), senses) << gloss.toStdString();
    }
}

// Which lines of a translation list give Persian entries their senses back;
// the English side keeps every line either way.
TEST(TranslationList, ReversesEveryLineOrAHeadwordsFirstOfEachPart) {
    const QString list = u"argue {v} (to quarrel) :: بحث کردن\n"
                         "argue {v} (to give evidence of) :: نشان دادن\n"
                         "argument {n} (a quarrel) :: بحث\n"
                         "argue {n} (no such noun, but its first line) :: جدل\n"_s;
    for (const Reverse reverse : {Reverse::Every, Reverse::FirstSense}) {
        Lexicon lexicon;
        Report report;
        readTranslationList(list, Origin::TeamList, lexicon, report, reverse);
        fx::expectMeanings(
            fx::stages(lexicon),
            {u"Argue → (.n): جدل - (.vt): بحث كردن - نشان دادن"_s, u"بحث → Argument"_s,
             u"بحث كردن → Argue"_s, u"جدل → Argue"_s,
             reverse == Reverse::Every ? u"نشان دادن → Argue"_s : u"نشان دادن → <absent>"_s});
    }
}

TEST(EnglishHeadwords, FoldCapitaliseOrRefuse) {
    using enum HeadwordProblem;
    const std::tuple<QString, QString, HeadwordProblem> cases[] = {
        {u"AIDS"_s, u"AIDS"_s, None},
        {u"\u00E6sthete"_s, u"Aesthete"_s, None},
        {u"x"_s.repeated(32), u"X"_s + u"x"_s.repeated(31), None},
        {u"x"_s.repeated(33), u""_s, TooLong},
        {u"-ism"_s, u""_s, Characters},
        {u"e=mc2"_s, u""_s, Characters}};
    for (const auto &[raw, head, problem] : cases) {
        HeadwordProblem p = None;
        EXPECT_EQ(makeEnHeadword(raw, &p), head) << raw.toStdString();
        EXPECT_EQ(p, problem) << raw.toStdString();
    }
}

TEST(SourceParsers, HtmlEntitiesAndTags) {
    EXPECT_EQ(decodeHtmlText(u"D&amp;C &#233; &#x41;"_s), u"D&C \u00E9 A"_s);
    EXPECT_EQ(decodeHtmlText(u"A & E <b>(UK)</b>"_s), u"A & E (UK)"_s);
    EXPECT_EQ(decodeHtmlText(u"&bogus;"_s), std::nullopt);
}

// The tool itself reads each source it is given; a garbled or missing source
// fails cleanly. That two runs give the same bytes, the real lists show.
TEST(ConverterTool, ReadsEverySourceAndFailsCleanly) {
    QTemporaryDir dir;
    const QString sources = dir.filePath(u"src"_s);
    const auto write = [&](const char *relative, const QByteArray &bytes) {
        QFile f(sources + u'/' + QLatin1String(relative));
        return QDir().mkpath(QFileInfo(f).path()) && f.open(QIODevice::WriteOnly) &&
               f.write(bytes) == bytes.size();
    };
    const CldrTexts cldr = fx::cldr({{u"it"_s, u"Italian"_s, u"ایتالیایی"_s}});
    const std::pair<const char *, QByteArray> files[] = {
        {kTranslationListPath, kTranslations},
        {kWiktextractPath, kWiktextract},
        {"team.txt", "# ours\nthem {pron} (object) :: آنها /ânhâ/\n"},
        {"core.txt", "# ours\nafford {v} (to have the money for) :: استطاعت داشتن\n"},
        {"lemmas.txt", "rove {v} (to wander) :: پرسه زدن\n"},
        {kWordnetLinksPath, "00000040-n\tfas:lemma\tپند\n"},
        {"wordnet/data.noun", fx::wordnetData({fx::synsetLine(40, {"counsel"})})},
        {"wordnet/verb.exc", "went go\n"},
        {"words", "goes\nsnows\n"},
        {"cldr-48/localenames/en/languages.json", cldr.languagesEn},
        {"cldr-48/localenames/fa/languages.json", cldr.languagesFa},
        {"cldr-48/localenames/en/territories.json", cldr.territoriesEn},
        {"cldr-48/localenames/fa/territories.json", cldr.territoriesFa},
        {"cldr-48/localenames/en/scripts.json", cldr.scriptsEn},
        {"cldr-48/localenames/fa/scripts.json", cldr.scriptsFa},
        {"cldr-48/annotations/en/annotations.json", cldr.annotationsEn},
        {"cldr-48/annotations/fa/annotations.json", cldr.annotationsFa},
    };
    for (const auto &[relative, bytes] : files) {
        ASSERT_TRUE(write(relative, bytes)) << relative;
    }
    // WordNet's other files, and in bare/ a WordNet without its exception lists.
    for (const char *empty :
         {"wordnet/data.verb", "wordnet/data.adj", "wordnet/data.adv", "wordnet/noun.exc",
          "wordnet/adj.exc", "wordnet/adv.exc", "bare/data.noun", "bare/data.verb", "bare/data.adj",
          "bare/data.adv"}) {
        ASSERT_TRUE(write(empty, {})) << empty;
    }
    // The exit code of a command line whose $S stands for the sources and $O
    // for the output folder; -1 for a crash or a hang.
    QProcess tool;
    const auto run = [&](const QString &line) {
        tool.start(
            QStringLiteral(VORLAN_WORDLISTS_TOOL),
            QString(line).replace(u"$S"_s, sources).replace(u"$O"_s, dir.path()).split(u' '));
        const bool ended = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit;
        return ended ? tool.exitCode() : -1;
    };
    const QString all = u"--sources $S --wordnet $S/wordnet --english-words $S/words --team "
                        "$S/team.txt --core $S/core.txt --lemmas $S/lemmas.txt --out $O/"_s;
    ASSERT_EQ(run(all + u"one"_s), 0);
    // Each source is read: the team's lists, the wordnet link, the CLDR name,
    // and the lookup forms made: from WordNet's exceptions and the word list.
    QFile written(dir.filePath(u"one/EN"_s));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString en = QStringDecoder(QStringDecoder::Utf16LE).decode(written.readAll());
    for (const char *word :
         {"Them", "Afford", "Rove", "Counsel", "Italian", "Went", "Goes", "Snows"}) {
        EXPECT_TRUE(en.contains(QLatin1String(word))) << word;
    }

    // Unknown, repeated or valueless options are a wrong command line, and so
    // is one without sources or WordNet.
    for (const QString &wrong :
         {u"--sources $S --out"_s, u"--sources $S --wordnet $S --out $O/x --tea t"_s,
          u"--sources $S --sources $S --wordnet $S --out $O/x"_s, u"--sources $S --out $O/x"_s,
          u"--team $S/team.txt --out $O/x"_s,
          u"--sources $S --wordnet $S --core c --core c --out $O/x"_s}) {
        EXPECT_EQ(run(wrong), 64) << wrong.toStdString();
    }
    ASSERT_TRUE(write(kWiktextractPath, "\xC3\x28 not UTF-8\t<i>noun</i>"_ba));
    const std::pair<QString, const char *> failures[] = {
        {u"--sources $S --wordnet $S/wordnet --team $S/none.txt --out $O/x"_s, "cannot read"},
        {u"--sources $S --english-words $S/words --wordnet $S/bare --out $O/x"_s, "noun.exc"},
        {all + u"x"_s, "not valid UTF-8"},
    };
    for (const auto &[line, message] : failures) {
        EXPECT_EQ(run(line), 1) << line.toStdString();
        EXPECT_TRUE(tool.readAllStandardError().contains(message)) << message;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"x/EN"_s)));
}

} // namespace
