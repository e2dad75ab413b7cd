// Lookup forms: the English and Persian rules on small word lists written
// here, and the stage on a small lexicon.
#include "folding.h"
#include "forms.h"
#include "stages.h"
#include "wordlistrules.h"
#include "write.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;
using namespace vorlan::wordlists;

namespace {

// What Debian's word list would say about the words below, including forms
// that exist but must not be taken ("childs" is a word, not the plural).
const EnglishWords kWords = EnglishWords::parse(
    "Paris\nbooks\nbooked\nbooking\ncities\nchilds\ngoes\ngoing\nwomen\nstops\nstopped\nstopping\n"
    "refers\nreferred\nreferring\nvisits\nvisited\nvisiting\nvisitted\nmakes\nmaking\ndies\n"
    "died\ndying\nbigger\nbiggest\nhappier\nhappiest\nbeautifuller\nquizzes\npotatoes\nphotos\n"
    "panics\npanicked\npanicking\nsinges\nsinged\nsingeing\nsinging\nhumans\nseed\nsees\n"
    "seeing\nworked\nworking\nworks\nshowed\nshows\nshowing\nproved\nproves\nproving\nleaves\nleafs\nice-creams\nnasas\nbacker\n"_ba);

WordNetExceptions exceptions() {
    WordNetExceptions e;
    e.add(EnPos::Noun,
          "children child\nmen man\nleaves leaf leave\nbrothers-in-law brother-in-law\n"
          "amici_curiae amicus_curiae\n"_ba);
    e.add(EnPos::Verb,
          "went go\ngone go\nsaw see\nseen see\ndying die\nwrought work\ndrank drink\nsang sing\n"
          "shown show\nproven prove\n"_ba);
    return e;
}

// "Form=Base,Base" for every form made.
QStringList formsOf(const QList<EnHeadwordPos> &headwords, EnglishFormCounts *counts = nullptr) {
    QStringList out;
    for (const EnglishForm &f : englishForms(headwords, kWords, exceptions(), counts)) {
        QStringList bases;
        for (const EnglishFormOf &b : f.bases) {
            bases.append(b.headword);
        }
        out.append(f.form + u'=' + bases.join(u','));
    }
    return out;
}

TEST(EnglishForms, RegularFormsOnlyWhereTheWordListHasThem) {
    using enum EnPos;
    const std::pair<EnHeadwordPos, QStringList> cases[] = {
        {{u"Book"_s, {Noun, Verb}}, {u"Booked=Book"_s, u"Booking=Book"_s, u"Books=Book"_s}},
        {{u"City"_s, {Noun}}, {u"Cities=City"_s}},
        {{u"Woman"_s, {Noun}}, {u"Women=Woman"_s}},
        {{u"Human"_s, {Noun}}, {u"Humans=Human"_s}},
        {{u"Quiz"_s, {Noun}}, {u"Quizzes=Quiz"_s}},
        {{u"Potato"_s, {Noun}}, {u"Potatoes=Potato"_s}},
        {{u"Photo"_s, {Noun}}, {u"Photos=Photo"_s}},
        // One syllable doubles; two do where the list says so, never both.
        {{u"Stop"_s, {Verb}}, {u"Stopped=Stop"_s, u"Stopping=Stop"_s, u"Stops=Stop"_s}},
        {{u"Refer"_s, {Verb}}, {u"Referred=Refer"_s, u"Referring=Refer"_s, u"Refers=Refer"_s}},
        {{u"Visit"_s, {Verb}}, {u"Visited=Visit"_s, u"Visiting=Visit"_s, u"Visits=Visit"_s}},
        {{u"Make"_s, {Verb}}, {u"Makes=Make"_s, u"Making=Make"_s}},
        {{u"Die"_s, {Verb}}, {u"Died=Die"_s, u"Dies=Die"_s, u"Dying=Die"_s}},
        {{u"Panic"_s, {Verb}}, {u"Panicked=Panic"_s, u"Panicking=Panic"_s, u"Panics=Panic"_s}},
        // "singeing", not "singing", where the list has both.
        {{u"Singe"_s, {Verb}}, {u"Singed=Singe"_s, u"Singeing=Singe"_s, u"Singes=Singe"_s}},
        {{u"Big"_s, {Adj}}, {u"Bigger=Big"_s, u"Biggest=Big"_s}},
        {{u"Happy"_s, {Adj}}, {u"Happier=Happy"_s, u"Happiest=Happy"_s}},
        {{u"Back"_s, {Adj}}, {}}, // "backer" is someone who backs
        // Long adjectives take "more"; names, abbreviations, phrases and
        // words of no inflecting part of speech take nothing by rule.
        {{u"Beautiful"_s, {Adj}}, {}},
        {{u"Paris"_s, {Noun}}, {}},
        {{u"NASA"_s, {Noun}}, {}},
        {{u"Ice-cream"_s, {Noun}}, {}},
        {{u"Quickly"_s, {Adv}}, {}},
        {{u"Him"_s, {}}, {}},
    };
    for (const auto &[headword, expected] : cases) {
        EXPECT_EQ(formsOf({headword}), expected) << headword.headword.toStdString();
    }
}

TEST(EnglishForms, IrregularFormsReplaceTheRegularOnes) {
    using enum EnPos;
    const std::pair<QList<EnHeadwordPos>, QStringList> cases[] = {
        // WordNet's plural; "childs" is in the word list but is no plural.
        {{{u"Child"_s, {Noun}}}, {u"Children=Child"_s}},
        // The past from WordNet, -s and -ing still by rule.
        {{{u"Go"_s, {Verb}}}, {u"Goes=Go"_s, u"Going=Go"_s, u"Gone=Go"_s, u"Went=Go"_s}},
        // "Seed" is no past of "see"; "Saw" is a headword and keeps its entry.
        {{{u"See"_s, {Verb}}, {u"Saw"_s, {Noun}}}, {u"Seeing=See"_s, u"Seen=See"_s, u"Sees=See"_s}},
        // "Singed" is the past of "singe", not of "sing".
        {{{u"Sing"_s, {Verb}}}, {u"Sang=Sing"_s, u"Singing=Sing"_s}},
        // WordNet lists a form beside the regular past, not instead of it.
        {{{u"Die"_s, {Verb}}}, {u"Died=Die"_s, u"Dies=Die"_s, u"Dying=Die"_s}},
        // So does a participle made with -n or -en, unlike "seen" beside "saw".
        {{{u"Show"_s, {Verb}}},
         {u"Showed=Show"_s, u"Showing=Show"_s, u"Shown=Show"_s, u"Shows=Show"_s}},
        {{{u"Prove"_s, {Verb}}},
         {u"Proved=Prove"_s, u"Proven=Prove"_s, u"Proves=Prove"_s, u"Proving=Prove"_s}},
        {{{u"Work"_s, {Verb}}},
         {u"Worked=Work"_s, u"Working=Work"_s, u"Works=Work"_s, u"Wrought=Work"_s}},
        // One form of two headwords.
        {{{u"Leaf"_s, {Noun}}, {u"Leave"_s, {Noun, Verb}}}, {u"Leaves=Leaf,Leave"_s}},
        // A phrase only through the exception list, which may hold spaces.
        {{{u"Brother-in-law"_s, {Noun}}}, {u"Brothers-in-law=Brother-in-law"_s}},
        {{{u"Amicus curiae"_s, {Noun}}}, {u"Amici curiae=Amicus curiae"_s}},
        // The exception list of another part of speech says nothing.
        {{{u"Leaf"_s, {Verb}}}, {u"Leafs=Leaf"_s}},
    };
    for (const auto &[headwords, expected] : cases) {
        EXPECT_EQ(formsOf(headwords), expected) << headwords.front().headword.toStdString();
    }
}

TEST(EnglishForms, CountsWhatWasLeftOut) {
    EnglishFormCounts c;
    formsOf({{u"See"_s, {EnPos::Verb}}, {u"Saw"_s, {EnPos::Noun}}, {u"Jump"_s, {EnPos::Verb}}}, &c);
    EXPECT_EQ(c.irregular, 1);  // seen
    EXPECT_EQ(c.regular, 2);    // sees, seeing
    EXPECT_EQ(c.isHeadword, 1); // saw
    EXPECT_EQ(c.notAWord, 4);   // jumps, jumped, jumping, saws
}

QString kindName(FaFormKind k) {
    switch (k) {
    case FaFormKind::Plural:
        return u"plural"_s;
    case FaFormKind::Past:
        return u"past"_s;
    case FaFormKind::PastParticiple:
        return u"participle"_s;
    case FaFormKind::Other:
        break;
    }
    return u"form"_s;
}

TEST(PersianForms, KeysThatAreFormsOfTheLemma) {
    using enum FaKeySkip;
    struct Case {
        QString lemma;
        QStringList keys;
        bool noun;
        bool verb;
        QStringList forms;
        QList<FaKeySkip> skipped;
    };
    const Case cases[] = {
        {u"كتاب"_s,
         {u"کتابها"_s, u"کتب"_s, u"kotob"_s, u"ketâb-hâ"_s, u"کتاب‌ها"_s, u"کِتاب"_s},
         true,
         false,
         {u"كتابها plural"_s, u"كتاب ها plural"_s, u"كتب form"_s},
         {Romanised, Romanised, Repeated, Vocalised}},
        // Only a noun's -ها is named a plural.
        {u"سبز"_s, {u"سبزها"_s}, false, false, {u"سبزها form"_s, u"سبز ها form"_s}, {}},
        {u"رفتن"_s,
         {u"رفتم"_s, u"رفت"_s, u"رفته"_s, u"می‌روم"_s, u"میروم"_s, u"دارم میروم"_s,
          u"رفته بودم"_s, u"داشتم می‌رفتم"_s, u"Term?"_s, u"ـرفت"_s, u"bấšin"_s},
         false,
         true,
         {u"رفتم past"_s, u"رفت past"_s, u"رفته participle"_s, u"مي روم form"_s, u"ميروم form"_s,
          u"رفته بودم form"_s},
         {Progressive, LongPhrase, Placeholder, Affix, Romanised}},
        {u"آب"_s,
         {u"آب"_s, u"آب1"_s, u"آبها"_s, u"آبها"_s, u"آب\u200Cها"_s, u"ه"_s},
         true,
         false,
         {u"آبها plural"_s, u"آب ها plural"_s},
         {SameAsLemma, NotAWord, Repeated, Repeated, NotAWord}},
        // The joiner the extract lost after می and نمی, and not where the
        // verb itself begins with می.
        {u"شدن"_s,
         {u"میشود"_s, u"نمیشود"_s, u"شد"_s},
         false,
         true,
         {u"ميشود form"_s, u"مي شود form"_s, u"نميشود form"_s, u"نمي شود form"_s, u"شد past"_s},
         {}},
        {u"ميراندن"_s, {u"میراند"_s}, false, true, {u"ميراند past"_s}, {}},
        {u"ميخ كوبيدن"_s,
         {u"میخ نمیکوبم"_s},
         false,
         true,
         {u"ميخ نميكوبم form"_s, u"ميخ نمي كوبم form"_s},
         {}},
        {u"چشم"_s, {u"چشمها"_s}, true, false, {u"چشمها plural"_s, u"چشم ها plural"_s}, {}},
        // The conjugation table's person labels and copula are no forms.
        {u"آراستن"_s,
         {u"او"_s, u"اونا"_s, u"هستند"_s, u"آراستیم"_s},
         false,
         true,
         {u"آراستيم past"_s},
         {TableWord, TableWord, TableWord}},
    };
    for (const Case &c : cases) {
        QList<FaKeySkip> skipped;
        QStringList forms;
        for (const PersianFormKey &k : persianFormKeys(c.lemma, c.keys, c.noun, c.verb, &skipped)) {
            forms.append(k.form + u' ' + kindName(k.kind));
        }
        EXPECT_EQ(forms, c.forms) << c.lemma.toStdString();
        EXPECT_EQ(skipped, c.skipped) << c.lemma.toStdString();
    }
}

TEST(PersianForms, PossessiveEndingsWhereTheSpellingIsCertain) {
    const std::pair<QString, QStringList> cases[] = {
        {u"كتاب"_s, {u"كتابم"_s, u"كتابت"_s, u"كتابش"_s}},
        {u"خانه"_s, {u"خانه ام"_s, u"خانه ات"_s, u"خانه اش"_s}},
        {u"پا"_s, {u"پايم"_s, u"پايت"_s, u"پايش"_s}},
        {u"راه"_s, {u"راهم"_s, u"راهت"_s, u"راهش"_s}},
        {u"كوه"_s, {u"كوهم"_s, u"كوهت"_s, u"كوهش"_s}},
        {u"دانشجو"_s, {}},
        {u"صندلي"_s, {}},
        {u"ده"_s, {}},
        {u"آب معدني"_s, {}},
        {u"ب"_s, {}},
    };
    for (const auto &[noun, forms] : cases) {
        EXPECT_EQ(possessiveForms(noun), forms) << noun.toStdString();
    }
    const std::pair<QString, QString> indefinite[] = {
        {u"مشكل"_s, u"مشكلي"_s}, {u"جا"_s, u"جايي"_s},   {u"خانه"_s, u"خانه اي"_s},
        {u"راه"_s, u"راهي"_s},   {u"دانشجو"_s, u""_s},   {u"صندلي"_s, u""_s},
        {u"ده"_s, u""_s},        {u"آب معدني"_s, u""_s},
    };
    for (const auto &[noun, form] : indefinite) {
        EXPECT_EQ(indefiniteForm(noun), form) << noun.toStdString();
    }
    EXPECT_EQ(pluralForm(u"خانه"_s), u"خانه ها"_s);
    EXPECT_EQ(pluralForm(u"آب معدني"_s), QString());
}

Sense sense(const QString &core, PartOfSpeech pos, Origin origin = Origin::TranslationList) {
    Sense s;
    s.core = core;
    s.pos = pos;
    s.origin = origin;
    return s;
}

// A small lexicon through the stages after reading, as the converter runs them.
WordListRecords withForms(Lexicon lex, const FormSources &sources, Report *report = nullptr) {
    Report r;
    mergeCaseVariants(lex, r);
    cleanSenses(lex, r);
    addLookupForms(lex, sources, r);
    const WordListRecords out = renderLists(lex, r);
    if (report) {
        *report = r;
    }
    return out;
}

QString meaning(const QStringList &heads, const QStringList &meanings, const QString &head) {
    const qsizetype i = heads.indexOf(head);
    return i < 0 ? u"<absent>"_s : meanings[i];
}

TEST(LookupFormsStage, EnglishFormsLeadToTheirHeadword) {
    using enum PartOfSpeech;
    Lexicon lex;
    lex.addEnglishSense(u"Go"_s, sense(u"گو"_s, Noun));
    lex.addEnglishSense(u"Go"_s, sense(u"رفتن"_s, VerbI));
    Sense labelled = sense(u"شدن"_s, VerbI);
    labelled.label = u"colloquial"_s;
    lex.addEnglishSense(u"Go"_s, labelled);
    lex.addEnglishSense(u"Book"_s, sense(u"كتاب"_s, Noun));
    lex.addEnglishSense(u"Book"_s, sense(u"رزرو كردن"_s, VerbT));
    lex.addEnglishSense(u"Saw"_s, sense(u"اره"_s, Noun));
    lex.addEnglishSense(u"See"_s, sense(u"ديدن"_s, VerbT));
    lex.addEnglishSense(u"Child"_s, sense(u"بچه"_s, Noun));
    lex.addEnglishSense(u"Child"_s, sense(u"كودك"_s, None));
    lex.addEnglishSense(u"Turkey"_s, sense(u"تركيه"_s, None));
    lex.addEnglishSense(u"Turkey"_s, sense(u"بوقلمون"_s, Noun));
    lex.addEnglishSense(u"Big"_s, sense(u"ر"_s.repeated(312), Adj));
    // The verb's translation filed under the noun.
    lex.addEnglishSense(u"Drink"_s, sense(u"نوشيدن"_s, Noun));
    lex.addEnglishSense(u"Drink"_s, sense(u"آشاميدن"_s, VerbT));
    // Homographs: the past is the verb's, never the animal's.
    lex.addEnglishSense(u"Sow"_s, sense(u"ماده خوك"_s, Noun));
    lex.addEnglishSense(u"Sow"_s, sense(u"كاشتن"_s, VerbT));
    lex.addEnglishSense(u"Sow"_s, sense(u"بدن"_s, Noun)); // a noun, though it ends like "زدن"
    // Headwords of names or reversed senses only yield to a form of their spelling.
    lex.addEnglishSense(u"Man"_s, sense(u"مرد"_s, Noun));
    Sense reversed = sense(u"ذكر"_s, Noun, Origin::Wiktextract);
    reversed.reversed = true;
    reversed.label = u"in the plural"_s;
    lex.addEnglishSense(u"Men"_s, reversed);
    // No part of speech in the source, a noun by a WordNet link.
    lex.addEnglishSense(u"Tree"_s, sense(u"درخت"_s, None));
    lex.linkedPos[wordlist::enSortKey(u"Tree"_s)] = {Noun};
    // CLDR's name of the picture 📚.
    lex.addEnglishSense(u"Books"_s, sense(u"چند كتاب"_s, None, Origin::Cldr));
    FormSources sources{kWords, exceptions(), {}};
    sources.englishWords = EnglishWords::parse("books\ngoes\nbigger\nturkeys\ntrees\nsowed\n"_ba);
    Report report;
    const WordListRecords l = withForms(lex, sources, &report);
    const std::pair<QString, QString> expected[] = {
        // A form leads to the senses of its headword that it is a form of.
        {u"Went"_s, u"(go=) (.vi): رفتن - (colloquial) شدن"_s},
        {u"Sowed"_s, u"(sow=) (.vt): كاشتن"_s},
        // The plural of the noun as much as the verb's -s.
        {u"Goes"_s, u"(go=) (.n): گو - (.vi): رفتن - (colloquial) شدن"_s},
        {u"Drank"_s, u"(drink=) (.vt): آشاميدن - (.n): نوشيدن"_s},
        {u"Books"_s, u"(book=) (.n): كتاب - (.vt): رزرو كردن - چند كتاب"_s},
        {u"Men"_s, u"(man=) (.n): مرد - (.n): (in the plural) ذكر"_s},
        {u"Trees"_s, u"(tree=) درخت"_s},
        // Unmarked senses go: they are names as often as not.
        {u"Children"_s, u"(child=) (.n): بچه"_s},
        {u"Turkeys"_s, u"(turkey=) (.n): بوقلمون"_s},
        {u"Seen"_s, u"(see=) (.vt): ديدن"_s},
        {u"Saw"_s, u"(.n): اره"_s},
        // The opening leaves no room for the one sense: no record.
        {u"Bigger"_s, u"<absent>"_s},
    };
    for (const auto &[head, text] : expected) {
        EXPECT_EQ(meaning(l.en, l.en2fa, head), text) << head.toStdString();
    }
    // Eleven forms, two of them in place of headwords that yield.
    EXPECT_EQ(l.en.size(), 13 + 9);
    EXPECT_EQ(report.read.value(QLatin1String(kEnglishFormsCount)), 11);

    // No word list, no English forms.
    EXPECT_EQ(withForms(lex, {}).en.size(), 13);
}

TEST(LookupFormsStage, PersianFormsFoundAsTyped) {
    using enum PartOfSpeech;
    Lexicon lex;
    lex.addPersianSense(u"كتاب"_s, sense(u"Book"_s, Noun, Origin::Wiktextract));
    lex.persian[u"كتاب"_s].otherKeys = {u"کتاب‌ها"_s, u"کتابها"_s, u"ketâb"_s};
    lex.addPersianSense(u"رفتن"_s, sense(u"Go"_s, VerbI, Origin::Wiktextract));
    lex.addPersianSense(u"رفتن"_s, sense(u"Leave"_s, VerbI, Origin::Wiktextract));
    lex.persian[u"رفتن"_s].otherKeys = {u"رفتم"_s, u"می‌روم"_s, u"روی"_s};
    lex.addPersianSense(u"خانه"_s, sense(u"House"_s, Noun, Origin::Wiktextract));
    // An ending made on the noun leaves out a verb reversed into its entry.
    Sense dwell = sense(u"Dwell"_s, VerbI);
    dwell.reversed = true;
    lex.addPersianSense(u"خانه"_s, dwell);
    // A past the extract names leads a possessive made on a noun: "my Kurd".
    lex.addPersianSense(u"كرد"_s, sense(u"Kurd"_s, Noun, Origin::Wiktextract));
    lex.addPersianSense(u"كردن"_s, sense(u"Do"_s, VerbT, Origin::Wiktextract));
    lex.persian[u"كردن"_s].otherKeys = {u"کردم"_s, u"کرد"_s, u"کردی"_s};
    // A degree in -تر is the adjective's: بهتر is no form of به "to".
    lex.addPersianSense(u"به"_s, sense(u"To"_s, None, Origin::Wiktextract));
    lex.addPersianSense(u"به"_s, sense(u"Quince"_s, Noun, Origin::Wiktextract));
    lex.persian[u"به"_s].otherKeys = {u"بهتر"_s};
    lex.addPersianSense(u"خوب"_s, sense(u"Good"_s, Adj, Origin::Wiktextract));
    lex.addPersianSense(u"خوب"_s, sense(u"Goodness"_s, Noun, Origin::Wiktextract));
    lex.persian[u"خوب"_s].otherKeys = {u"بهتر"_s};
    // A past that is a word of its own keeps its entry and names the verb after.
    lex.addPersianSense(u"كردي"_s, sense(u"Kurdish"_s, Noun, Origin::Wiktextract));
    lex.addPersianSense(u"درخت"_s, sense(u"Tree"_s, Noun, Origin::Wiktextract));
    lex.persian[u"درخت"_s].otherKeys = {u"درخت‌ها"_s};
    // Headwords of their own keep their entries.
    lex.addPersianSense(u"كتابت"_s, sense(u"Calligraphy"_s, Noun));
    lex.addPersianSense(u"روي"_s, sense(u"On"_s, None));
    // A reversed translation's noun gets no possessive endings.
    Sense reversed = sense(u"Rug"_s, Noun);
    reversed.reversed = true;
    lex.addPersianSense(u"قالي"_s, reversed);
    lex.addPersianSense(u"قاليچه"_s, reversed);
    // A name yields to the verb's form.
    lex.addPersianSense(u"آمدن"_s, sense(u"Come"_s, VerbI, Origin::Wiktextract));
    lex.persian[u"آمدن"_s].otherKeys = {u"آمد"_s};
    Sense name = sense(u"Amida"_s, None, Origin::Wiktextract);
    name.name = true;
    lex.addPersianSense(u"آمد"_s, name);
    // Nor does a place.
    Sense place = sense(u"Marand"_s, Noun, Origin::Wiktextract);
    place.name = true;
    lex.addPersianSense(u"مرند"_s, place);
    // Nor does a word the extract also gives as an adverb.
    lex.addPersianSense(u"اغلب"_s, sense(u"Often"_s, Adv, Origin::Wiktextract));
    lex.addPersianSense(u"اغلب"_s, sense(u"Most"_s, Noun, Origin::Wiktextract));

    const WordListRecords l = withForms(lex, {});
    const std::pair<QString, QString> typed[] = {
        {u"کتاب‌ها"_s, u"Plural: Book"_s},
        {u"کتابها"_s, u"Plural: Book"_s},
        {u"درخت‌ها"_s, u"Plural: Tree"_s},
        {u"رفتم"_s, u"Past: Go - Leave"_s},
        {u"کردم"_s, u"Past: Do - (form) Kurd"_s},
        {u"کرد"_s, u"Kurd - Past: Do"_s},
        {u"بهتر"_s, u"(form) Good"_s},
        {u"کردی"_s, u"Kurdish - Past: Do"_s},
        {u"می‌روم"_s, u"(form) Go - Leave"_s},
        {u"خانه‌ام"_s, u"(form) House"_s},
        {u"خانه‌ای"_s, u"(form) House"_s},
        {u"درختی"_s, u"(form) Tree"_s},
        // A noun whose keys hold no plural gets one; where they do, only theirs.
        {u"خانه‌ها"_s, u"Plural: House"_s},
        {u"خانهها"_s, u"<absent>"_s},
        {u"کتاب ها"_s, u"Plural: Book"_s},
        {u"درختها"_s, u"<absent>"_s},
        {u"کتابم"_s, u"(form) Book"_s},
        {u"کتابت"_s, u"Calligraphy"_s},
        {u"روی"_s, u"On"_s},
        {u"آمد"_s, u"Past: Come - Amida"_s},
        {u"قالیچه‌ام"_s, u"<absent>"_s},
        {u"اغلب‌ها"_s, u"<absent>"_s},
        {u"مرند‌ها"_s, u"<absent>"_s},
        {u"مرندم"_s, u"<absent>"_s},
        {u"اغلبم"_s, u"<absent>"_s},
    };
    for (const auto &[query, text] : typed) {
        EXPECT_EQ(meaning(l.fa, l.fa2en, foldQuery(query)), text) << query.toStdString();
    }
    for (qsizetype i = 1; i < l.fa.size(); ++i) {
        EXPECT_TRUE(wordlist::faLess(l.fa[i - 1], l.fa[i])) << l.fa[i].toStdString();
    }
}

TEST(LookupFormsStage, ColloquialSpellingsLeadToTheStandardForm) {
    using enum PartOfSpeech;
    Lexicon lex;
    lex.addPersianSense(u"اگر"_s, sense(u"If"_s, None, Origin::Wiktextract));
    lex.addPersianSense(u"آمدن"_s, sense(u"Come"_s, VerbI, Origin::Wiktextract));
    lex.persian[u"آمدن"_s].otherKeys = {u"می‌آید"_s};
    lex.addPersianSense(u"منو"_s, sense(u"Menu"_s, Noun, Origin::Wiktextract));
    FormSources sources;
    sources.persianColloquial = "# comment\n"
                                "اگه\tاگر\n"
                                "میاد\tمی‌آید\n"
                                "بهش\tبه او\tto him, to her\n"
                                "منو\tمن را\tme (as object)\n"
                                "نمیاد\tنمی‌آید\n"
                                "اگه\n"
                                "بهم\tبه من\tبه من\n"
                                "x\tاگر\n"_ba;
    Report report;
    const WordListRecords l = withForms(lex, sources, &report);
    const std::pair<QString, QString> typed[] = {
        {u"اگه"_s, u"(form) If"_s},
        // A form's record already names what it is a form of.
        {u"میاد"_s, u"(form) Come"_s},
        {u"بهش"_s, u"(form) to him, to her"_s},
        // A word of its own keeps its entry; a standard form no list holds
        // and lines of another shape make nothing.
        {u"منو"_s, u"Menu"_s},
        {u"نمیاد"_s, u"<absent>"_s},
        {u"بهم"_s, u"<absent>"_s},
    };
    for (const auto &[query, text] : typed) {
        EXPECT_EQ(meaning(l.fa, l.fa2en, foldQuery(query)), text) << query.toStdString();
    }
    EXPECT_EQ(
        report.dropped.value(u"colloquial table: line not of the form FORM, STANDARD[, ENGLISH]"_s),
        3);
    EXPECT_EQ(report.dropped.value(u"colloquial table: form that has a record of its own"_s), 1);
    EXPECT_EQ(report.dropped.value(u"colloquial table: standard form that is no FA record"_s), 1);
}

} // namespace
