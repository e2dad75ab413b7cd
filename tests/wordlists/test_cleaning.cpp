// Each cleaning rule of the converter, on small tables.
#include "englishtext.h"
#include "normalise.h"
#include "readers.h"
#include "sourcefixtures.h"
#include "sourceparsers.h"
#include "stages.h"
#include "wordlistrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan::wordlists;

namespace {

using enum PartOfSpeech;

TEST(CleaningRules, DescriptionsAreNoHeadwords) {
    const std::pair<QString, bool> cases[] = {
        {u"Sixth of something"_s, true},
        {u"Directionally inside"_s, true},
        {u"A male surname"_s, true},
        {u"Of the sea"_s, true},
        {u"Relating to Hinduism"_s, true},
        {u"Especially Europe"_s, true},
        {u"Turtle or tortoise"_s, true},
        {u"Person from Sistan"_s, true},
        {u"Descendant of Ali"_s, true},
        {u"Lucky person"_s, true},
        {u"Grandfather of Rostam"_s, true},
        {u"Character in Shahnama"_s, true},
        {u"See Usage notes"_s, true},
        {u"Also, as well"_s, true},
        {u"Certain vessels"_s, true},
        {u"One's beloved"_s, true},
        {u"Make someone laugh"_s, true},
        // Words and phrases stay, also those that look a little alike.
        {u"Of"_s, false},
        {u"Satellite"_s, false},
        {u"At once"_s, false},
        {u"In front of"_s, false},
        {u"Grizzly bear"_s, false},
        {u"Early bird"_s, false},
        {u"Court of law"_s, false},
        {u"See you"_s, false},
        {u"Father Christmas"_s, false},
        {u"Deceive oneself"_s, false},
        {u"Salesperson"_s, false},
        {u"The Netherlands"_s, false},
    };
    for (const auto &[english, description] : cases) {
        EXPECT_EQ(isDescription(english), description) << english.toStdString();
    }
}

TEST(CleaningRules, DatedLabels) {
    const std::pair<QString, bool> cases[] = {
        {u"archaic"_s, true},
        {u"obsolete"_s, true},
        {u"dialectal, Kazerun"_s, true},
        {u"Transoxianan, obsolete"_s, true},
        {u"historical"_s, true},
        {u"Middle Persian"_s, true},
        {u"dated, literary"_s, true},
        {u"archaic or dialectal"_s, true},
        {u""_s, false},
        {u"colloquial"_s, false},
        {u"literary"_s, false},
        {u"rare"_s, false},
        {u"Dari"_s, false},
        {u"figuratively"_s, false},
    };
    for (const auto &[label, dated] : cases) {
        EXPECT_EQ(isDatedLabel(label), dated) << label.toStdString();
    }
}

TEST(CleaningRules, PersianMeaningsHoldNoEnglishAndNoAffix) {
    const std::pair<QString, bool> cases[] = {
        {u"كتاب"_s, true},
        {u"قرص X"_s, true}, // a capital letter is part of the word
        {u"دكمه OK"_s, true},
        {u"شكم (anatomy)"_s, true}, // English in a note is a note
        {u"معني XX چيست?"_s, true},
        {u"من ... سالم است"_s, true}, // a phrasebook pattern
        {u"ezafe (اضافه ) is used"_s, false},
        {u"داشتن + imperfective verb form"_s, false},
        {u"pl. صص"_s, false},
        {u"-ي"_s, false},
        {u"يك -ي"_s, false},
        {u"-تر"_s, false},
        {u"اسكيت كردن -اسكيت"_s, false},
        {u"(حرف تعريف معين)"_s, true}, // a grammar note in Persian
        {u"(anatomy)"_s, false},
        {u"(حرف noun)"_s, false},
        {u""_s, false},
    };
    for (const auto &[persian, meaning] : cases) {
        EXPECT_EQ(isPersianMeaning(persian), meaning) << persian.toStdString();
    }
}

TEST(CleaningRules, TypoPatchesReplaceWholeWordsOnly) {
    const std::pair<QString, QString> cases[] = {
        {u"نابفه"_s, u"نابغه"_s},
        {u"شم ارا"_s, u"شما را"_s},
        {u"(polite) شم ارا"_s, u"(polite) شما را"_s},
        {u"نابفه ها"_s, u"نابغه ها"_s},
        {u"نابفهي"_s, u"نابفهي"_s}, // another word
        {u"شم اراده"_s, u"شم اراده"_s},
        {u"كتاب"_s, u"كتاب"_s},
    };
    for (const auto &[text, corrected] : cases) {
        EXPECT_EQ(correctTypos(text), corrected);
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

struct Row {
    QString spelling;
    QString core;
    PartOfSpeech pos = Noun;
    Origin origin = Origin::TranslationList;
    bool reversed = false;
    QString label = {};
    bool name = false;
    int order = 0;
    int ofSenses = 1;
};

// The one English record of the rows after merging and cleaning, with
// WordNet's tagged counts of the word when `cntlist` gives them.
QString englishRecord(const std::vector<Row> &rows, const QByteArray &cntlist = {}) {
    Lexicon lex;
    Report report;
    readWordnetCounts(cntlist, lex, report);
    for (const Row &r : rows) {
        Sense s;
        s.core = r.core;
        s.pos = r.pos;
        s.origin = r.origin;
        s.reversed = r.reversed;
        s.label = r.label;
        s.name = r.name;
        s.order = r.order;
        s.ofSenses = r.ofSenses;
        lex.addEnglishSense(r.spelling, s);
    }
    mergeCaseVariants(lex, report);
    cleanSenses(lex, report);
    const WordListRecords out = renderLists(lex, report);
    return out.en.isEmpty() ? u"<none>"_s : out.en.front() + u" = "_s + out.en2fa.front();
}

// Among groups of one kind, the part of speech WordNet's tagged text uses the
// word as three times as often as any other comes first.
TEST(CleaningRules, PartOfSpeechTheWordIsMostlyUsedAsFirst) {
    constexpr Origin wikt = Origin::Wiktextract;
    // run: 268 as a verb (two senses), 29 as a noun; plan: 90 and 79. Lines
    // of another shape are skipped, a phrase's underscores are spaces.
    const QByteArray cntlist = "run%2:38:00:: 1 200\nrun%2:41:00:: 2 68\nrun%1:04:00:: 1 29\n"
                               "plan%2:31:00:: 1 90\nplan%1:09:00:: 1 79\n"
                               "like%2:37:00:: 1 171\nice_cream%1:13:00:: 1 40\n"
                               "run%9:00:00:: 1 900\nrun%1:04:00:: 1\njunk\n"_ba;
    const std::tuple<std::vector<Row>, QByteArray, QString> cases[] = {
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"دويدن"_s, VerbI}},
         cntlist,
         u"Run = (.vi): دويدن - (.n): دو"_s},
        // No counts, or none that stands out: the usual order.
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"دويدن"_s, VerbI}},
         {},
         u"Run = (.n): دو - (.vi): دويدن"_s},
        {{{u"Plan"_s, u"طرح"_s}, {u"Plan"_s, u"طرح ريختن"_s, VerbT}},
         cntlist,
         u"Plan = (.n): طرح - (.vt): طرح ريختن"_s},
        // Both verb groups lead together; a group only reversed stays behind.
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"اداره كردن"_s, VerbT}, {u"Run"_s, u"دويدن"_s, VerbI}},
         cntlist,
         u"Run = (.vt): اداره كردن - (.vi): دويدن - (.n): دو"_s},
        {{{u"Run"_s, u"دو"_s}, {u"Run"_s, u"دويدن"_s, VerbI, wikt, true}},
         cntlist,
         u"Run = (.n): دو - (.vi): دويدن"_s},
        // Unmarked senses stay first; a phrase finds its count.
        {{{u"Like"_s, u"مثل"_s, None}, {u"Like"_s, u"دوست داشتن"_s, VerbT}},
         cntlist,
         u"Like = مثل - (.vt): دوست داشتن"_s},
        {{{u"Ice cream"_s, u"بستني"_s}, {u"Ice cream"_s, u"يخ زدن"_s, VerbI}},
         cntlist,
         u"Ice cream = (.n): بستني - (.vi): يخ زدن"_s},
    };
    for (const auto &[rows, counts, record] : cases) {
        EXPECT_EQ(englishRecord(rows, counts), record) << record.toStdString();
    }
}

TEST(MergeStage, OneHeadwordPerCaseFoldedSpelling) {
    const std::pair<QStringList, QString> cases[] = {
        {{u"Turkey"_s}, u"Turkey"_s},
        {{u"Turkey"_s, u"TURKEY"_s}, u"Turkey"_s},
        {{u"Aids"_s, u"AIDS"_s}, u"Aids"_s},
        {{u"McCarthy"_s, u"Mccarthy"_s}, u"Mccarthy"_s},
    };
    for (const auto &[spellings, chosen] : cases) {
        std::vector<Row> rows;
        for (const QString &sp : spellings) {
            rows.push_back({sp, u"ب"_s + sp, None});
        }
        EXPECT_TRUE(englishRecord(rows).startsWith(chosen + u" = "_s))
            << spellings.join(u',').toStdString();
    }
}

// The 2015 list's lines come in the order of their glosses; a line whose
// Persian word the other direction's own senses give back as the headword leads.
TEST(CleaningRules, CoreSenseFirstWhereThePersianSideGivesTheWordBack) {
    struct Back {
        QString persian;
        Origin origin;
        bool reversed;
    };
    const std::pair<std::vector<Back>, QString> cases[] = {
        {{{u"دست"_s, Origin::Wiktextract, false}}, u"(.n): دست - دس - خوشه - دسته"_s},
        {{{u"دست"_s, Origin::Wordnet, false}}, u"(.n): دست - دس - خوشه - دسته"_s},
        // Nothing given back: the source's order stands.
        {{}, u"(.n): خوشه - دسته - دست - دس"_s},
        // A reversal of the English list itself confirms nothing.
        {{{u"دست"_s, Origin::TranslationList, true}}, u"(.n): خوشه - دسته - دست - دس"_s},
        // Both lines given back: the one whose word stands nearer its front leads.
        {{{u"دست"_s, Origin::Wiktextract, false}, {u"دسته"_s, Origin::Wiktextract, false}},
         u"(.n): دست - دس - خوشه - دسته"_s},
        {{{u"دس"_s, Origin::Wiktextract, false}, {u"خوشه"_s, Origin::Wiktextract, false}},
         u"(.n): خوشه - دسته - دست - دس"_s},
    };
    for (const auto &[backs, meaning] : cases) {
        Lexicon lex;
        qsizetype line = 0;
        for (const QStringList &words :
             {QStringList{u"خوشه"_s, u"دسته"_s}, QStringList{u"دست"_s, u"دس"_s}}) {
            ++line;
            for (const QString &w : words) {
                Sense s;
                s.core = w;
                s.pos = PartOfSpeech::Noun;
                s.line = line;
                lex.addEnglishSense(u"Hand"_s, s);
            }
        }
        for (const Back &b : backs) {
            Sense s;
            s.core = u"Hand"_s;
            s.origin = b.origin;
            s.reversed = b.reversed;
            lex.addPersianSense(b.persian, s);
        }
        Report report;
        mergeCaseVariants(lex, report);
        cleanSenses(lex, report);
        const WordListRecords out = renderLists(lex, report);
        EXPECT_EQ(out.en2fa.value(out.en.indexOf(u"Hand"_s)), meaning) << backs.size();
    }
}

// A rare sense of a Persian entry follows its usual ones, even those only
// reversed from the other direction.
TEST(CleaningRules, RarePersianSenseFollows) {
    struct Row {
        QString english;
        QString label;
        bool reversed;
    };
    Lexicon lex;
    for (const Row &r :
         {Row{u"Bone"_s, u"rare"_s, false}, Row{u"Be"_s, {}, false}, Row{u"Is"_s, {}, true}}) {
        Sense s;
        s.core = r.english;
        s.label = r.label;
        s.origin = r.reversed ? Origin::TranslationList : Origin::Wiktextract;
        s.reversed = r.reversed;
        lex.addPersianSense(u"است"_s, s);
    }
    Report report;
    cleanSenses(lex, report);
    const WordListRecords out = renderLists(lex, report);
    EXPECT_EQ(out.fa2en.value(out.fa.indexOf(u"است"_s)), u"Be - Is - Bone (rare)"_s);
}

TEST(CleaningRules, EnglishEntries) {
    constexpr Origin wikt = Origin::Wiktextract;
    constexpr Origin tl = Origin::TranslationList;
    const std::pair<std::vector<Row>, QString> cases[] = {
        // A source's own senses before reversed ones, whatever the part of speech.
        {{{u"Father"_s, u"خداي پدر"_s, Noun, Origin::TranslationList, false, {}, true},
          {u"Father"_s, u"پدر"_s},
          {u"Father"_s, u"والد"_s, Noun, wikt, true}},
         u"Father = (.n): پدر - والد - خداي پدر"_s},
        {{{u"Apple"_s, u"اپل"_s, Noun, Origin::TranslationList, false, {}, true},
          {u"Apple"_s, u"سيب"_s}},
         u"Apple = (.n): سيب - اپل"_s},
        {{{u"Book"_s, u"دفتر"_s, Noun, wikt, true}, {u"Book"_s, u"رزرو كردن"_s, VerbT}},
         u"Book = (.vt): رزرو كردن - (.n): دفتر"_s},
        {{{u"Word"_s, u"ب"_s, Noun, Origin::Wordnet},
          {u"Word"_s, u"الف"_s, Noun, Origin::TeamList}},
         u"Word = (.n): الف - ب"_s},
        // The team's sense leads the translation list's own.
        {{{u"But"_s, u"بجز"_s, None}, {u"But"_s, u"اما"_s, None, Origin::TeamList}},
         u"But = اما - بجز"_s},
        // Dated senses go beside a current one, stay when they are all there is.
        {{{u"Book"_s, u"نامك"_s, Noun, Origin::TranslationList, false, u"Middle Persian"_s},
          {u"Book"_s, u"كتاب"_s}},
         u"Book = (.n): كتاب"_s},
        {{{u"Word"_s, u"ب"_s, Noun, wikt, true, u"obsolete"_s},
          {u"Word"_s, u"الف"_s, Noun, wikt, true, u"archaic"_s}},
         u"Word = (.n): (obsolete) ب - (archaic) الف"_s},
        // An acronym's senses never join the common word.
        {{{u"Who"_s, u"كي"_s, None}, {u"WHO"_s, u"سازمان بهداشت جهاني"_s, Noun, wikt, true}},
         u"Who = كي"_s},
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
        {{{u"Word"_s, u"ب"_s, Noun, tl, true}, {u"Word"_s, u"الف"_s}}, u"Word = (.n): الف - ب"_s},
        // A rare sense follows the usual ones.
        {{{u"Word"_s, u"ب"_s, Noun, tl, true, u"rare"_s}, {u"Word"_s, u"ج"_s, Noun, tl, true}},
         u"Word = (.n): ج - (rare) ب"_s},
        {{{u"Word"_s, u"الف"_s}, {u"Word"_s, u"الف"_s, Noun, tl, true}}, u"Word = (.n): الف"_s},
        {{{u"Word"_s, u"الف"_s, None}, {u"Word"_s, u"ب"_s, Adj}}, u"Word = الف - (.adj): ب"_s},
        {{{u"Word"_s, u"ب"_s, Noun, tl, true, {}, false, 2},
          {u"Word"_s, u"الف"_s, Noun, tl, true, {}, false, 1}},
         u"Word = (.n): الف - ب"_s},
    };
    for (const auto &[rows, record] : cases) {
        EXPECT_EQ(englishRecord(rows), record);
    }
}

} // namespace
