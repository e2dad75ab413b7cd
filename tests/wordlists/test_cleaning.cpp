// Merging and each cleaning rule of the converter, on small tables.
#include "normalise.h"
#include "sourcefixtures.h"
#include "sourceparsers.h"
#include "stages.h"
#include "wordlistrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan::wordlists;
namespace fx = vorlan::wordlists::fixtures;
using fx::Row;

namespace {

using enum PartOfSpeech;

TEST(CleaningRules, DescriptionsDatedLabelsAndPersianMeanings) {
    const struct {
        bool (*holds)(QStringView);
        QStringList yes, no;
    } cases[] = {
        // Descriptions are no headwords; words and phrases that look a little alike are.
        {isDescription,
         {u"Sixth of something"_s, u"Directionally inside"_s, u"A male surname"_s, u"Of the sea"_s,
          u"Relating to Hinduism"_s, u"Especially Europe"_s, u"Turtle or tortoise"_s,
          u"Person from Sistan"_s, u"Descendant of Ali"_s, u"Lucky person"_s,
          u"Grandfather of Rostam"_s, u"Character in Shahnama"_s, u"See Usage notes"_s,
          u"Also, as well"_s, u"Certain vessels"_s, u"One's beloved"_s, u"Make someone laugh"_s},
         {u"Of"_s, u"Satellite"_s, u"At once"_s, u"In front of"_s, u"Grizzly bear"_s,
          u"Early bird"_s, u"Court of law"_s, u"See you"_s, u"Father Christmas"_s,
          u"Deceive oneself"_s, u"Salesperson"_s, u"The Netherlands"_s}},
        {isDatedLabel,
         {u"archaic"_s, u"obsolete"_s, u"dialectal, Kazerun"_s, u"Transoxianan, obsolete"_s,
          u"historical"_s, u"Middle Persian"_s, u"dated, literary"_s, u"archaic or dialectal"_s},
         {u""_s, u"colloquial"_s, u"literary"_s, u"rare"_s, u"Dari"_s, u"figuratively"_s}},
        // A capital letter may be part of the word, English in a note is a note, and so is a
        // Persian grammar note; a phrasebook pattern's "..." is no English.
        {isPersianMeaning,
         {u"كتاب"_s, u"قرص X"_s, u"دكمه OK"_s, u"شكم (anatomy)"_s, u"معني XX چيست?"_s,
          u"من ... سالم است"_s, u"(حرف تعريف معين)"_s},
         {u"ezafe (اضافه ) is used"_s, u"داشتن + imperfective verb form"_s, u"pl. صص"_s, u"-ي"_s,
          u"يك -ي"_s, u"-تر"_s, u"اسكيت كردن -اسكيت"_s, u"(anatomy)"_s, u"(حرف noun)"_s, u""_s}},
    };
    for (const auto &c : cases) {
        for (const QString &s : c.yes) {
            EXPECT_TRUE(c.holds(s)) << s.toStdString();
        }
        for (const QString &s : c.no) {
            EXPECT_FALSE(c.holds(s)) << s.toStdString();
        }
    }
}

TEST(CleaningRules, TypoPatchesReplaceWholeWordsOnly) {
    // TEXT>CORRECTED; "نابفهي" and "شم اراده" are other words.
    const QString cases[] = {
        u"نابفه>نابغه"_s,       u"شم ارا>شما را"_s, u"(polite) شم ارا>(polite) شما را"_s,
        u"نابفه ها>نابغه ها"_s, u"نابفهي>نابفهي"_s, u"شم اراده>شم اراده"_s};
    for (const QString &c : cases) {
        EXPECT_EQ(correctTypos(c.section(u'>', 0, 0)), c.section(u'>', 1));
    }
    // Every patch is in the lists' letter forms and changes something.
    for (const TypoPatch &p : typoPatches()) {
        EXPECT_NE(p.wrong, p.right);
        EXPECT_EQ(vorlan::wordlist::normalisePersian(p.right), p.right.toString());
    }
}

// English labels in front of a translation, ';' between translations,
// qualifiers between two words, and the remains of a torn transliteration.
TEST(CleaningRules, TranslationItemsLoseEnglishText) {
    const std::pair<QString, QString> cases[] = {
        {u"hello {interj} (greeting) :: سلام /salâm/; religious: سلام علیکم /salâmo/"_s,
         u"سلام|[religious] سلام علیکم"_s},
        {u"qibla {n} (direction) :: Persian: قبله /qeble/"_s, u"قبله"_s},
        {u"Spain {prop} :: اسپانیا; Dari: هسپانیه"_s, u"اسپانیا|[Dari] هسپانیه"_s},
        {u"you {pron} (object) :: [familiar] تو را /to-rā/, ترا /torā/ [polite, plural] شم ارا"_s,
         u"[familiar] تو را|ترا|[polite, plural] شم ارا"_s},
        {u"you {determiner} :: [familiar] تو /to/, شُما /ʃomā/ [polite]"_s,
         u"[familiar] تو|[polite] شُما"_s},
        {u"psychiatry {n} :: روانپزشکی ravan-pezeshki"_s, u"روانپزشکی"_s},
        {u"compare {v} (to assess) :: مقایسه کردن /moqâyase/moqâyese kardan/"_s, u"مقایسه کردن"_s},
        {u"make yourself at home {phrase} :: [informal] خونه خودته -ye"_s,
         u"[informal] خونه خودته"_s},
        {u"ecstasy {n} (drug) :: قرص X"_s, u"قرص X"_s},
        {u"be {v} :: داشتن + imperfective verb form"_s, u"داشتن + imperfective verb form"_s},
        {u"my {determiner} :: ـم /-am/ [suffix], من"_s, u"[suffix] -م|من"_s},
        {u"idiom {n} :: زبان زد ـ زبانزد"_s, u"زبان زد - زبانزد"_s},
        {u"more often than not {adv} :: اکثر اوقات٬ اکثرا"_s, u"اکثر اوقات|اکثرا"_s},
    };
    for (const auto &[line, items] : cases) {
        const auto t = parseTranslationLine(line);
        ASSERT_TRUE(t) << line.toStdString();
        QStringList got;
        for (const TranslationItem &item : t->items) {
            got << (item.qualifiers.isEmpty() ? QString()
                                              : u'[' + item.qualifiers.join(u", "_s) + u"] "_s) +
                       item.text;
        }
        EXPECT_EQ(got.join(u'|'), items) << line.toStdString();
    }
}

// The first record the rows make, English before Persian, after merging and
// cleaning; WordNet's tagged counts are read first. Run: 268 as a verb (two
// senses), 29 as a noun; plan: 90 and 79. Lines of another shape are skipped,
// a phrase's underscores are spaces.
QString firstRecord(const std::vector<Row> &rows) {
    Lexicon lex;
    Report report;
    readWordnetCounts("run%2:38:00:: 1 200\nrun%2:41:00:: 2 68\nrun%1:04:00:: 1 29\n"
                      "plan%2:31:00:: 1 90\nplan%1:09:00:: 1 79\n"
                      "like%2:37:00:: 1 171\nice_cream%1:13:00:: 1 40\n"
                      "run%9:00:00:: 1 900\nrun%1:04:00:: 1\njunk\n"_ba,
                      lex, report);
    const WordListRecords l = fx::stages(fx::lexicon(rows, lex));
    return !l.en.isEmpty()   ? l.en.front() + u" = "_s + l.en2fa.front()
           : !l.fa.isEmpty() ? l.fa.front() + u" = "_s + l.fa2en.front()
                             : u"<none>"_s;
}

TEST(CleaningRules, Entries) {
    constexpr Origin wikt = Origin::Wiktextract;
    constexpr Origin tl = Origin::TranslationList;
    constexpr Origin team = Origin::TeamList;
    const QString longSense = u"A very long explanation "_s.repeated(6);
    const std::pair<std::vector<Row>, QString> cases[] = {
        // One headword per case-folded spelling, the one with fewest capitals; an
        // acronym keeps its senses out of the common word.
        {{{u"Aids"_s, u"ب"_s, None}, {u"AIDS"_s, u"پ"_s, None}}, u"Aids = ب"_s},
        {{{u"McCarthy"_s, u"ب"_s, None}, {u"Mccarthy"_s, u"پ"_s, None}}, u"Mccarthy = ب - پ"_s},
        // A source's own senses before reversed ones, whatever the part of speech.
        {{{u"Father"_s, u"خداي پدر"_s, Noun, tl, false, {}, true},
          {u"Father"_s, u"پدر"_s},
          {u"Father"_s, u"والد"_s, Noun, wikt, true}},
         u"Father = (.n): پدر - والد - خداي پدر"_s},
        {{{u"Apple"_s, u"اپل"_s, Noun, tl, false, {}, true}, {u"Apple"_s, u"سيب"_s}},
         u"Apple = (.n): سيب - اپل"_s},
        {{{u"Book"_s, u"دفتر"_s, Noun, wikt, true}, {u"Book"_s, u"رزرو كردن"_s, VerbT}},
         u"Book = (.vt): رزرو كردن - (.n): دفتر"_s},
        {{{u"Word"_s, u"ب"_s, Noun, Origin::Wordnet}, {u"Word"_s, u"الف"_s, Noun, team}},
         u"Word = (.n): الف - ب"_s},
        // The team's sense leads the translation list's own.
        {{{u"But"_s, u"بجز"_s, None}, {u"But"_s, u"اما"_s, None, team}}, u"But = اما - بجز"_s},
        // Dated senses go beside a current one, stay when they are all there is.
        {{{u"Book"_s, u"نامك"_s, Noun, tl, false, u"Middle Persian"_s}, {u"Book"_s, u"كتاب"_s}},
         u"Book = (.n): كتاب"_s},
        {{{u"Word"_s, u"ب"_s, Noun, wikt, true, u"obsolete"_s},
          {u"Word"_s, u"الف"_s, Noun, wikt, true, u"archaic"_s}},
         u"Word = (.n): (obsolete) ب - (archaic) الف"_s},
        // An acronym alone keeps its senses.
        {{{u"WHO"_s, u"سازمان بهداشت جهاني"_s, Noun, wikt, true}},
         u"WHO = (.n): سازمان بهداشت جهاني"_s},
        // Descriptions, English words, affixes and deep reversals are no senses.
        {{{u"Sixth of something"_s, u"شش يك"_s, Noun, wikt, true}}, u"<none>"_s},
        {{{u"Of"_s, u"ezafe (اضافه ) is used"_s, None}, {u"Of"_s, u"از"_s, None}}, u"Of = از"_s},
        {{{u"An"_s, u"-ي"_s, None}, {u"An"_s, u"يك -ي"_s, None}}, u"<none>"_s},
        // A deep reversal goes beside another sense, and a noun's always; it
        // stays where it is all there is.
        {{{u"Chessboard"_s, u"دشت"_s, Noun, wikt, true, {}, false, 3, 6}}, u"<none>"_s},
        {{{u"Chessboard"_s, u"دشت"_s, Noun, wikt, true, {}, false, 3, 6},
          {u"Chessboard"_s, u"صفحه شطرنج"_s, Noun}},
         u"Chessboard = (.n): صفحه شطرنج"_s},
        {{{u"Anymore"_s, u"ديگر"_s, Adv, wikt, true, {}, false, 3, 6}},
         u"Anymore = (.adv): ديگر"_s},
        {{{u"Shaky"_s, u"لرزان"_s, Adj, wikt, true, {}, false, 3, 4}}, u"Shaky = (.adj): لرزان"_s},
        {{{u"Desert"_s, u"دشت"_s, Noun, wikt, true, {}, false, 1, 6}}, u"Desert = (.n): دشت"_s},
        // Markers group the senses; within a group the source's own senses
        // lead, the same Persian word is written once.
        {{{u"Word"_s, u"الف"_s}, {u"Word"_s, u"ب"_s, VerbT}, {u"Word"_s, u"ج"_s}},
         u"Word = (.n): الف - ج - (.vt): ب"_s},
        // A rare or figurative sense follows the usual ones; a label the 2022
        // extract gives the same pair holds, unless it places the word in Iran.
        {{{u"W"_s, u"ب"_s, Noun, tl, true, u"figurative"_s}, {u"W"_s, u"ج"_s, Noun, tl, true}},
         u"W = (.n): ج - (figurative) ب"_s},
        {{{u"W"_s, u"ب"_s},
          {u"W"_s, u"ب"_s, Noun, wikt, true, u"rare"_s},
          {u"W"_s, u"ج"_s},
          {u"W"_s, u"ج"_s, Noun, wikt, true, u"Iran, rare"_s}},
         u"W = (.n): ج - (rare) ب"_s},
        // The team's Persian list names the current word where the sources
        // give only a dated one, and only then.
        {{{u"W"_s, u"ب"_s, Adj, wikt, true, u"archaic"_s}, {u"ج"_s, u"W"_s, Noun, team}},
         u"W = (.n): ج"_s},
        {{{u"W"_s, u"ب"_s}, {u"ج"_s, u"W"_s, Noun, team}}, u"W = (.n): ب"_s},
        {{{u"Word"_s, u"الف"_s}, {u"Word"_s, u"الف"_s, Noun, tl, true}}, u"Word = (.n): الف"_s},
        {{{u"Word"_s, u"الف"_s, None}, {u"Word"_s, u"ب"_s, Adj}}, u"Word = الف - (.adj): ب"_s},
        {{{u"Word"_s, u"ب"_s, Noun, tl, true, {}, false, 2},
          {u"Word"_s, u"الف"_s, Noun, tl, true, {}, false, 1}},
         u"Word = (.n): الف - ب"_s},
        // Among groups of one kind, the part of speech the tagged text uses the
        // word as three times as often as any other comes first.
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"دويدن"_s, VerbI}}, u"Run = (.vi): دويدن - (.n): دو"_s},
        // No counts, or none that stands out: the usual order.
        {{{u"Walk"_s, u"دو"_s}, {u"Walk"_s, u"دويدن"_s, VerbI}},
         u"Walk = (.n): دو - (.vi): دويدن"_s},
        {{{u"Plan"_s, u"طرح"_s}, {u"Plan"_s, u"طرح ريختن"_s, VerbT}},
         u"Plan = (.n): طرح - (.vt): طرح ريختن"_s},
        // Both verb groups lead together, the team's first; a group only
        // reversed stays behind.
        {{{u"W"_s, u"ب"_s, VerbT}, {u"W"_s, u"ج"_s, VerbI, team}}, u"W = (.vi): ج - (.vt): ب"_s},
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"اداره كردن"_s, VerbT}, {u"Run"_s, u"دويدن"_s, VerbI}},
         u"Run = (.vt): اداره كردن - (.vi): دويدن - (.n): دو"_s},
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"دويدن"_s, VerbI, wikt, true}},
         u"Run = (.n): دو - (.vi): دويدن"_s},
        // Unmarked senses stay first; a phrase finds its count.
        {{{u"Like"_s, u"مثل"_s, None}, {u"Like"_s, u"دوست داشتن"_s, VerbT}},
         u"Like = مثل - (.vt): دوست داشتن"_s},
        {{{u"Ice cream"_s, u"بستني"_s}, {u"Ice cream"_s, u"يخ زدن"_s, VerbI}},
         u"Ice cream = (.n): بستني - (.vi): يخ زدن"_s},
        // A Persian entry: its own senses, then WordNet's, then reversed ones;
        // short over long; current over dated; usual over rare.
        {{{u"آب"_s, u"Reversed"_s, None, tl, true}, {u"آب"_s, u"Own"_s, None}},
         u"آب = Own - Reversed"_s},
        {{{u"آب"_s, u"Water"_s, None}, {u"آب"_s, u"water"_s, None, tl, true}}, u"آب = Water"_s},
        {{{u"آب"_s, longSense, None}, {u"آب"_s, u"Short"_s, None}}, u"آب = Short"_s},
        {{{u"آب"_s, longSense, None}}, u"آب = "_s + longSense},
        {{{u"آب"_s, u"Abdomen"_s, None, tl, false, u"dialectal"_s}}, u"آب = Abdomen (dialectal)"_s},
        {{{u"آب"_s, u"Book"_s, None, tl, true},
          {u"آب"_s, u"Volume"_s, None, Origin::Wordnet},
          {u"آب"_s, u"Writing"_s, None, wikt}},
         u"آب = Writing - Volume - Book"_s},
        {{{u"آب"_s, u"Letter"_s, None, wikt, false, u"archaic"_s},
          {u"آب"_s, u"Book"_s, None, wikt}},
         u"آب = Book"_s},
        {{{u"آب"_s, u"Letter"_s, None, wikt, false, u"archaic"_s}}, u"آب = Letter (archaic)"_s},
        {{{u"است"_s, u"Bone"_s, None, wikt, false, u"rare"_s},
          {u"است"_s, u"Be"_s, None, wikt},
          {u"است"_s, u"Is"_s, None, tl, true}},
         u"است = Be - Is - Bone (rare)"_s},
    };
    for (const auto &[rows, record] : cases) {
        EXPECT_EQ(firstRecord(rows), record);
    }
}

// The 2015 list's lines come in the order of their glosses; a line whose
// Persian word the other direction's own senses give back as the headword leads.
TEST(CleaningRules, CoreSenseFirstWhereThePersianSideGivesTheWordBack) {
    constexpr Origin wikt = Origin::Wiktextract;
    constexpr Origin tl = Origin::TranslationList;
    const std::pair<std::vector<Row>, QString> cases[] = {
        {{Row(u"دست"_s, u"Hand"_s, None, wikt)}, u"(.n): دست - دس - خوشه - دسته"_s},
        {{Row(u"دست"_s, u"Hand"_s, None, Origin::Wordnet)}, u"(.n): دست - دس - خوشه - دسته"_s},
        // Nothing given back: the source's order stands.
        {{}, u"(.n): خوشه - دسته - دست - دس"_s},
        // A reversal of the English list itself confirms nothing.
        {{Row(u"دست"_s, u"Hand"_s, None, tl, true)}, u"(.n): خوشه - دسته - دست - دس"_s},
        // Both lines given back: the one whose word stands nearer its front leads.
        {{Row(u"دست"_s, u"Hand"_s, None, wikt), Row(u"دسته"_s, u"Hand"_s, None, wikt)},
         u"(.n): دست - دس - خوشه - دسته"_s},
        {{Row(u"دس"_s, u"Hand"_s, None, wikt), Row(u"خوشه"_s, u"Hand"_s, None, wikt)},
         u"(.n): خوشه - دسته - دست - دس"_s},
    };
    // Two lines of the 2015 list.
    const Lexicon hand =
        fx::lexicon({Row(u"Hand"_s, u"خوشه"_s, Noun, tl, false, {}, false, 0, 1, 1),
                     Row(u"Hand"_s, u"دسته"_s, Noun, tl, false, {}, false, 0, 1, 1),
                     Row(u"Hand"_s, u"دست"_s, Noun, tl, false, {}, false, 0, 1, 2),
                     Row(u"Hand"_s, u"دس"_s, Noun, tl, false, {}, false, 0, 1, 2)});
    for (const auto &[backs, meaning] : cases) {
        EXPECT_EQ(fx::meaningOf(fx::stages(fx::lexicon(backs, hand)), u"Hand"_s), meaning);
    }
}

} // namespace
