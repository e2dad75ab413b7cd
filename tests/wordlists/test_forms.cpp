// Lookup forms: the English and Persian rules on small word lists written
// here, and the stage on a small lexicon.
#include "forms.h"
#include "sourcefixtures.h"
#include "wordlistrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;
using namespace vorlan::wordlists;
namespace fx = vorlan::wordlists::fixtures;
using fx::Row;

namespace {

// What Debian's word list would say about the words below, including forms
// that exist but must not be taken ("mans" is a word, not the plural).
const EnglishWords kWords = EnglishWords::parse(
    "Paris\nbooks\nbooked\nbooking\ncities\nmans\nmanning\ngoes\ngoing\nwomen\nstops\nstopped\n"
    "stopping\nrefers\nreferred\nreferring\nvisits\nvisited\nvisiting\nvisitted\nmakes\nmaking\n"
    "dies\ndied\ndying\nbigger\nbiggest\nhappier\nhappiest\nbeautifuller\nquizzes\npotatoes\n"
    "photos\npanics\npanicked\npanicking\nsinges\nsinged\nsingeing\nsinging\nhumans\nseed\nsees\n"
    "seeing\nworked\nworking\nworks\nshowed\nshows\nshowing\nleaves\nleafs\nice-creams\nnasas\n"
    "backer\nkidding\nkidded\nbrothers\ngases\nhanged\nputs\nputted\nputting\nAmericans\n"
    "Islams\ngermen\nGermans\ncans\ncanned\nwilled\nwilling\nwoulds\nthousands\naged\nhas\n"_ba);

WordNetExceptions exceptions() {
    WordNetExceptions e;
    e.add(EnPos::Noun,
          "children child\nmen man\nleaves leaf leave\nbrothers-in-law brother-in-law\n"
          "amici_curiae amicus_curiae\nbrethren brother\ngasses gas\n"_ba);
    e.add(EnPos::Verb, "went go\ngone go\nsaw see\nseen see\ndying die\nwrought work\ndrank drink\n"
                       "sang sing\nshown show\nhung hang\nputting put\ncanned can\nhas have\n"_ba);
    return e;
}

// WordNet's verbs and nouns, two of them of its file of persons (18).
WordNetLemmas lemmas() {
    WordNetLemmas l;
    l.add(EnPos::Verb, "00000000 05 v 0d kid 0 man 0 see 0 seed 0 sing 0 singe 0 put 0 putt 0 hang "
                       "0 can 0 will 0 age 0 leaf 0 000 |\n"_ba);
    l.add(EnPos::Noun, "00000000 05 n 03 thousand 0 islam 0 ha 0 000 |\n"
                       "00000050 18 n 02 American 0 German 0 000 | a person\n"_ba);
    return l;
}

// The forms made for "HEADWORD:POS, ..." (POS letters n, v, a and r for
// adverb; "~" before a headword of reversed senses only), as "Form=Base+Base, ...".
QString formsOf(const QString &headwords, EnglishFormCounts *counts = nullptr) {
    QList<EnHeadwordPos> list;
    for (const QString &h : headwords.split(u", "_s)) {
        list.append({h.section(u':', 0, 0).remove(u'~'), {}, h.startsWith(u'~')});
        for (const QChar p : h.section(u':', 1)) {
            list.back().pos.insert(EnPos(u"nvar"_s.indexOf(p)));
        }
    }
    QStringList out;
    for (const EnglishForm &f : englishForms(list, kWords, exceptions(), lemmas(), counts)) {
        QStringList bases;
        for (const EnglishFormOf &b : f.bases) {
            bases.append(b.headword);
        }
        out.append(f.form + u'=' + bases.join(u'+'));
    }
    return out.join(u", "_s);
}

// HEADWORDS → FORMS: regular forms only where the word list has them;
// WordNet's irregular ones beside or in their place.
TEST(EnglishForms, FromTheWordListAndWordNetsExceptions) {
    const QString cases[] = {
        u"Book:nv, City:n, Quiz:n → Booked=Book, Booking=Book, Books=Book, Cities=City, "
        "Quizzes=Quiz"_s,
        u"Woman:n, Human:n, Potato:n, Photo:n → Humans=Human, Photos=Photo, Potatoes=Potato, "
        "Women=Woman"_s,
        // One syllable doubles; two do where the list says so, never both.
        u"Stop:v, Refer:v → Referred=Refer, Referring=Refer, Refers=Refer, Stopped=Stop, "
        "Stopping=Stop, Stops=Stop"_s,
        u"Visit:v, Make:v → Makes=Make, Making=Make, Visited=Visit, Visiting=Visit, Visits=Visit"_s,
        u"Panic:v → Panicked=Panic, Panicking=Panic, Panics=Panic"_s,
        // "singeing", not "singing", where the list has both.
        u"Singe:v → Singed=Singe, Singeing=Singe, Singes=Singe"_s,
        u"Big:a, Happy:a → Bigger=Big, Biggest=Big, Happier=Happy, Happiest=Happy"_s,
        // "Backer" is someone who backs. Long adjectives take "more"; names,
        // abbreviations, phrases and words of no inflecting part of speech
        // take nothing by rule; a modal no verb form, its past nothing.
        u"Back:a, Beautiful:a, Paris:n, NASA:n, Ice-cream:n, Quickly:r, Him: → "_s,
        u"Can:nv, Will:nv, Would:v → Cans=Can"_s,
        // WordNet's native plural; "mans" is its verb's, the verb WordNet's only.
        u"Child:n, Man:n → Children=Child, Manning=Man, Men=Man"_s,
        // A learned or alternative plural or past stands beside the regular one.
        u"Brother:n, Gas:n, Hang:v → Brethren=Brother, Brothers=Brother, Gases=Gas, Gasses=Gas, "
        "Hanged=Hang, Hung=Hang"_s,
        // The past from WordNet, -s and -ing still by rule; "went" leaves no "goed".
        u"Go:v → Goes=Go, Going=Go, Gone=Go, Went=Go"_s,
        // "Seed" is a verb of its own, "singed" singe's; "Saw" is a headword.
        u"See:v, Saw:n, Sing:v → Sang=Sing, Seeing=See, Seen=See, Sees=See, Singing=Sing"_s,
        // WordNet lists a form beside the regular past, not instead of it; so
        // does a participle made with -n, unlike "seen" beside "saw".
        u"Die:v → Died=Die, Dies=Die, Dying=Die"_s,
        u"Show:v → Showed=Show, Showing=Show, Shown=Show, Shows=Show"_s,
        u"Work:v → Worked=Work, Working=Work, Works=Work, Wrought=Work"_s,
        // "Put" keeps its past; "putted" is putt's.
        u"Put:v, Putt:v → Puts=Put, Putted=Putt, Putting=Put+Putt"_s,
        // WordNet's parts of speech: its verb, and its noun where the sources
        // give none; never in place of a headword or beside the sources' own.
        u"Kid:n, Thousand: → Kidded=Kid, Kidding=Kid, Thousands=Thousand"_s,
        u"Age:n, ~Aged:a, Have:v, Ha: → Has=Have"_s,
        // A person's plural the list holds capitalised; "germen" is no plural.
        u"American:an, Islam:n, German:n → Americans=American, Germans=German"_s,
        // One form of two headwords.
        u"Leaf:n, Leave:nv → Leaves=Leaf+Leave"_s,
        // A phrase only through the exception list, which may hold spaces.
        u"Brother-in-law:n, Amicus curiae:n → Amici curiae=Amicus curiae, "
        "Brothers-in-law=Brother-in-law"_s,
        // The exception list of another part of speech says nothing.
        u"Leaf:v → Leafs=Leaf"_s};
    for (const QString &c : cases) {
        EXPECT_EQ(formsOf(c.section(u" → "_s, 0, 0)), c.section(u" → "_s, 1)) << c.toStdString();
    }
    EnglishFormCounts c;
    formsOf(u"See:v, Saw:n, Jump:v, Kid:n"_s, &c);
    // seen; sees, seeing, kidded, kidding; saw; jumps, jumped, jumping, saws,
    // kids twice; kidded and kidding again.
    EXPECT_EQ(std::tuple(c.irregular, c.regular, c.isHeadword, c.notAWord, c.wordNetPos),
              std::tuple(1, 4, 1, 6, 2));
}

// An entry's keys that are forms of its lemma, each after its opening in FA2EN,
// with a joiner as a space and typed without it; "n" or "v" says whether the
// lemma is a noun or a verb, "LEMMA|JOINED" gives the lemma typed without its joiner.
TEST(PersianForms, KeysThatAreFormsOfTheLemma) {
    using enum FaKeySkip;
    using Case = std::tuple<QString, const char *, QString, QString, QList<FaKeySkip>>;
    const Case cases[] = {
        Case(u"كتاب"_s, "n", u"کتابها|کتب|kotob|ketâb-hâ|کتاب‌ها|کِتاب"_s,
             u"Plural: كتابها|Plural: كتاب ها|(form) كتب"_s,
             {Romanised, Romanised, Repeated, Vocalised}),
        // Only a noun's -ها is named a plural.
        Case(u"سبز"_s, "", u"سبزها"_s, u"(form) سبزها|(form) سبز ها"_s, {}),
        // The joiner the extract lost after می, نمی and a participle; a space
        // that splits the lemma goes.
        Case(
            u"رفتن"_s, "v",
            u"رفتم|رفت|رفته|می‌روم|دارم میروم|رفته بودم|داشتم می‌رفتم|Term?|ـرفت|bấšin"_s,
            u"Past: رفتم|(form) نرفتم|Past: رفت|(form) نرفت|Past participle: رفته|(form) نرفته|"
            u"(form) مي روم|(form) ميروم|(form) رفته بودم|(form) نمي روم|(form) نميروم"_s,
            {Progressive, LongPhrase, Placeholder, Affix, Romanised}),
        // A subjunctive or imperative is negated only beside its present.
        Case(u"آمدن"_s, "v", u"می‌آیم|می‌آید|بیایم|بیا|بخورم"_s,
             u"(form) مي آيم|(form) ميآيم|(form) مي آيد|(form) ميآيد|(form) بيايم|(form) بيا|"
             u"(form) بخورم|(form) نمي آيم|(form) نميآيم|(form) نمي آيد|(form) نميآيد|"
             u"(form) نيايم|(form) نيا"_s,
             {}),
        Case(u"برگشتن"_s, "v2", u"بر گشتهاین|برگشتم"_s,
             u"(form) برگشتهاين|(form) برگشته اين|Past: برگشتم|(form) برنگشتم"_s, {}),
        Case(u"آب"_s, "n", u"آب|آب1|آبها|آبها|آب\u200Cها|ه"_s, u"Plural: آبها|Plural: آب ها"_s,
             {SameAsLemma, NotAWord, Repeated, Repeated, NotAWord}),
        Case(u"شدن"_s, "v", u"میشود|نمیشود|شد"_s,
             u"(form) ميشود|(form) مي شود|(form) نميشود|(form) نمي شود|Past: شد|(form) نشد"_s, {}),
        Case(u"بو كردن"_s, "v", u"ببو کنه|بو کردم"_s, u"Past: بو كردم|(form) بو نكردم"_s,
             {MisplacedPrefix}),
        Case(u"ميراندن"_s, "v", u"میراند"_s, u"Past: ميراند|(form) نميراند"_s, {}),
        Case(u"چرخ ريسك|چرخريسك"_s, "n",
             u"چرخریسکها|چرخ‌ریسک‌ها|چرخریسک"_s,
             u"Plural: چرخريسكها|Plural: چرخ ريسك ها"_s, {Repeated}),
        Case(u"خانه"_s, "n", u"خانهام|xâne"_s, u"(form) خانهام|(form) خانه ام"_s, {Romanised}),
        // The conjugation table's person labels and copula are no forms.
        Case(u"آراستن"_s, "v", u"او|اونا|هستند|آراستیم"_s, u"Past: آراستيم"_s,
             {TableWord, TableWord, TableWord})};
    for (const auto &[lemma, kind, keys, forms, skipped] : cases) {
        QList<FaKeySkip> skips;
        QStringList made;
        const PersianLemma l{lemma.section(u'|', 0, 0), lemma.section(u'|', 1), *kind == 'n',
                             *kind == 'v', *kind ? qsizetype(kind[1] ? kind[1] - '0' : 0) : 0};
        for (const PersianFormKey &k : persianFormKeys(l, keys.split(u'|'), &skips)) {
            made.append(faFormOpening(k.kind) + k.form);
        }
        EXPECT_EQ(made.join(u'|'), forms) << lemma.toStdString();
        EXPECT_EQ(skips, skipped) << lemma.toStdString();
    }
}

// Possessive endings, the indefinite and the plural only where the spelling
// is certain: "NOUN[:ROMANISATIONS] → POSSESSIVES|+|INDEFINITE", a final ه
// read as the romanisations among the keys say; none after و without one
// (كوهم but قهوه ام), where they disagree, or in a word of two letters (ده).
TEST(PersianForms, EndingsWhereTheSpellingIsCertain) {
    for (const QString &row :
         {u"كتاب → كتابم|كتابت|كتابش|+|كتابي"_s, u"پا → پايم|پايت|پايش|+|پايي"_s,
          u"خانه → خانه ام|خانهام|خانه ات|خانهات|خانه اش|خانهاش|+|خانه اي|خانهاي"_s,
          u"راه → راهم|راهت|راهش|+|راهي"_s,
          u"توجيه:towjíham|towjih-hấ → توجيهم|توجيهت|توجيهش|+|توجيهي"_s,
          u"قهوه:qahve → قهوه ام|قهوهام|قهوه ات|قهوهات|قهوه اش|قهوهاش|+|قهوه اي|قهوهاي"_s,
          u"كوه → +"_s, u"سره:sereh|sare → +"_s, u"ده → +"_s, u"دانشجو → +"_s, u"صندلي → +"_s,
          u"آب معدني → +"_s, u"ب → +"_s}) {
        const QStringList f = row.split(u" → "_s);
        const QString noun = f[0].section(u':', 0, 0);
        const FinalHeh heh = finalHeh(noun, f[0].section(u':', 1).split(u'|'));
        const QStringList made = possessiveForms(noun, heh) << u"+"_s << indefiniteForms(noun, heh);
        EXPECT_EQ(made.join(u'|'), f[1]) << noun.toStdString();
    }
}

using enum PartOfSpeech;
constexpr Origin wikt = Origin::Wiktextract;
constexpr Origin tl = Origin::TranslationList;

TEST(LookupFormsStage, EnglishFormsLeadToTheirHeadword) {
    Lexicon lex = fx::lexicon(
        {Row(u"Go"_s, u"گو"_s), Row(u"Go"_s, u"رفتن"_s, VerbI),
         Row(u"Go"_s, u"شدن"_s, VerbI, tl, false, u"colloquial"_s), Row(u"Book"_s, u"كتاب"_s),
         Row(u"Book"_s, u"رزرو كردن"_s, VerbT), Row(u"Saw"_s, u"اره"_s),
         Row(u"See"_s, u"ديدن"_s, VerbT), Row(u"Child"_s, u"بچه"_s),
         Row(u"Child"_s, u"كودك"_s, None), Row(u"Turkey"_s, u"تركيه"_s, None),
         Row(u"Turkey"_s, u"بوقلمون"_s), Row(u"Big"_s, u"ر"_s.repeated(312), Adj),
         // The verb's translation filed under the noun.
         Row(u"Drink"_s, u"نوشيدن"_s), Row(u"Drink"_s, u"آشاميدن"_s, VerbT),
         // Homographs: the past is the verb's, never the animal's; بدن is a
         // noun, though it ends like زدن.
         Row(u"Sow"_s, u"ماده خوك"_s), Row(u"Sow"_s, u"كاشتن"_s, VerbT), Row(u"Sow"_s, u"بدن"_s),
         // Headwords of names or reversed senses only yield to a form of their spelling.
         Row(u"Man"_s, u"مرد"_s), Row(u"Men"_s, u"ذكر"_s, Noun, wikt, true, u"in the plural"_s),
         // No part of speech in the source, a noun by a WordNet link.
         Row(u"Tree"_s, u"درخت"_s, None),
         // CLDR's name of the picture 📚; a person, a modal, a name.
         Row(u"Books"_s, u"چند كتاب"_s, None, Origin::Cldr), Row(u"American"_s, u"آمريكايي"_s, Adj),
         Row(u"American"_s, u"انگليسي آمريكايي"_s), Row(u"Can"_s, u"توانستن"_s, VerbT),
         Row(u"Can"_s, u"قوطي"_s), Row(u"Berlin"_s, u"برلين"_s, Noun, tl, false, {}, true),
         Row(u"Color"_s, u"رنگ"_s)});
    lex.linkedPos[wordlist::enSortKey(u"Tree"_s)] = {Noun};
    // British spellings of a headword and of a form; one that is a headword stays.
    FormSources sources;
    sources.wordnet = exceptions();
    sources.wordnetLemmas = lemmas();
    sources.britishSpellings = "colour\tcolor\ncolours\tcolors\nsaw\tsee\nbad line\n"_ba;
    sources.englishWords = EnglishWords::parse(
        "books\ngoes\nbigger\nturkeys\ntrees\nsowed\nAmericans\ncans\ncanned\nberlins\ncolors\n"_ba);
    Report report;
    const WordListRecords l = fx::stages(lex, sources, &report);
    fx::expectMeanings(
        l, {// A form leads to the senses of its headword that it is a form of.
            u"Went → (go=) (.vi): رفتن - (colloquial) شدن"_s, u"Sowed → (sow=) (.vt): كاشتن"_s,
            // The plural of the noun as much as the verb's -s.
            u"Goes → (go=) (.n): گو - (.vi): رفتن - (colloquial) شدن"_s,
            u"Drank → (drink=) (.vt): آشاميدن - (.n): نوشيدن"_s,
            u"Books → (book=) (.n): كتاب - (.vt): رزرو كردن - چند كتاب"_s,
            u"Men → (man=) (.n): مرد - (.n): (in the plural) ذكر"_s, u"Trees → (tree=) درخت"_s,
            // Unmarked senses go: they are names as often as not.
            u"Children → (child=) (.n): بچه"_s, u"Turkeys → (turkey=) (.n): بوقلمون"_s,
            u"Seen → (see=) (.vt): ديدن"_s, u"Saw → (.n): اره"_s,
            // The opening leaves no room for the one sense: no record.
            u"Bigger → <absent>"_s, u"Cans → (can=) (.n): قوطي"_s, u"Berlins → <absent>"_s,
            // A people is named by its adjective.
            u"Americans → (american=) (.n): انگليسي آمريكايي - (.adj): آمريكايي"_s,
            u"Colour → (color=) (.n): رنگ"_s, u"Colours → (color=) (.n): رنگ"_s});
    // Fourteen forms, two of them in place of headwords that yield, and two British spellings.
    EXPECT_EQ(l.en.size(), 17 + 12 + 2);
    EXPECT_EQ(report.read.value(QLatin1String(kEnglishFormsCount)), 14);
    EXPECT_EQ(report.dropped.value(u"British spellings: line not of the form BRITISH, AMERICAN"_s),
              1);
    // No word list, no English forms.
    EXPECT_EQ(fx::stages(lex).en.size(), 17);
}

TEST(LookupFormsStage, PersianFormsFoundAsTyped) {
    Lexicon lex = fx::lexicon(
        {Row(u"كتاب"_s, u"Book"_s, Noun, wikt), Row(u"رفتن"_s, u"Go"_s, VerbI, wikt),
         Row(u"رفتن"_s, u"Leave"_s, VerbI, wikt), Row(u"خانه"_s, u"House"_s, Noun, wikt),
         // An ending made on the noun leaves out a verb reversed into its entry. A noun
         // whose keys hold no plural gets one (خانه ها); where they do, only theirs.
         Row(u"خانه"_s, u"Dwell"_s, VerbI, tl, true),
         // A past the extract names leads a possessive made on a noun: "my Kurd".
         Row(u"كرد"_s, u"Kurd"_s, Noun, wikt), Row(u"كردن"_s, u"Do"_s, VerbT, wikt),
         // A degree in -تر is the adjective's: بهتر is no form of به "to".
         Row(u"به"_s, u"To"_s, None, wikt), Row(u"به"_s, u"Quince"_s, Noun, wikt),
         Row(u"خوب"_s, u"Good"_s, Adj, wikt), Row(u"خوب"_s, u"Goodness"_s, Noun, wikt),
         // A past that is a word of its own keeps its entry and names the verb after.
         Row(u"كردي"_s, u"Kurdish"_s, Noun, wikt), Row(u"درخت"_s, u"Tree"_s, Noun, wikt),
         // Headwords of their own keep their entries, even one that yields to a verb's form.
         Row(u"كتابت"_s, u"Calligraphy"_s, Noun, tl, true), Row(u"روي"_s, u"On"_s, None),
         // A reversed translation's noun gets no possessive endings.
         Row(u"قاليچه"_s, u"Rug"_s, Noun, tl, true),
         // A name yields to the verb's form; a place, or a word the extract
         // also gives as an adverb, gets no endings.
         Row(u"آمدن"_s, u"Come"_s, VerbI, wikt),
         Row(u"آمد"_s, u"Amida"_s, None, wikt, false, {}, true),
         Row(u"مرند"_s, u"Marand"_s, Noun, wikt, false, {}, true),
         Row(u"اغلب"_s, u"Often"_s, Adv, wikt), Row(u"اغلب"_s, u"Most"_s, Noun, wikt),
         // A sounded ه; a word out of use; an indefinite that is a word of its own.
         Row(u"توجه"_s, u"Attention"_s, Noun, wikt),
         Row(u"خهر"_s, u"Donkey"_s, Noun, wikt, false, u"Sistani"_s),
         Row(u"Bookish"_s, u"كتابي"_s, Adj), Row(u"پايان نامه"_s, u"Dissertation"_s, Noun, wikt),
         // Spoken endings: صدام is Saddam, بده "give!", زرده a word; مارو
         // both the snake's and ما's.
         Row(u"صدا"_s, u"Sound"_s, Noun, wikt), Row(u"آرزو"_s, u"Wish"_s, Noun, wikt),
         Row(u"صدام"_s, u"Saddam"_s, Noun, wikt), Row(u"خسته"_s, u"Tired"_s, Adj, wikt),
         Row(u"بد"_s, u"Bad"_s, Adj, wikt), Row(u"دادن"_s, u"Give"_s, VerbT, wikt),
         Row(u"زرد"_s, u"Yellow"_s, Adj, wikt), Row(u"Yellowish"_s, u"زرده"_s, Adj),
         Row(u"مار"_s, u"Snake"_s, Noun, wikt), Row(u"ما"_s, u"We"_s, None, wikt),
         Row(u"اطلاعات"_s, u"Information"_s, Noun, wikt), Row(u"اين"_s, u"This"_s, None, wikt),
         // The team's colloquial spellings; Arabic plurals; the present stems' verbs and gates.
         Row(u"اگر"_s, u"If"_s, None, wikt), Row(u"منو"_s, u"Menu"_s, Noun, wikt),
         Row(u"ادبيات"_s, u"Literature"_s, Noun, wikt), Row(u"صادرات"_s, u"Exports"_s, Noun, wikt),
         Row(u"افزودن"_s, u"Add"_s, VerbT, wikt), Row(u"ايستادن"_s, u"Stand"_s, VerbI, wikt),
         Row(u"فرورفتن"_s, u"Sag"_s, VerbI, wikt), Row(u"رنجيدن"_s, u"Resent"_s, VerbI, wikt),
         Row(u"Come on"_s, u"بيا"_s), Row(u"برنج"_s, u"Rice"_s, Noun, wikt),
         Row(u"آختن"_s, u"Draw out"_s, VerbT, wikt, false, u"archaic"_s),
         Row(u"رسيدن"_s, u"Arrive"_s, VerbI, wikt),
         Row(u"نرسي"_s, u"Narses"_s, None, wikt, false, {}, true)});
    lex.persian[u"پايان نامه"_s].joined = u"پاياننامه"_s;
    for (const QString &keys :
         {u"رفتن:رفتم|می‌روم|روی"_s, u"كردن:کردم|کرد|کردی"_s,
          u"رسيدن:می‌رسی|برسی"_s, u"به:بهتر"_s, u"خوب:بهتر"_s,
          u"درخت:درخت‌ها"_s, u"آمدن:آمد|می‌آید"_s, u"توجه:tavajjoh"_s,
          u"دادن:بده"_s, u"كتاب:کتاب‌ها|کتابها|ketâb"_s}) {
        lex.persian[keys.section(u':', 0, 0)].otherKeys = keys.section(u':', 1).split(u'|');
    }
    FormSources sources;
    sources.persianColloquial =
        "# comment\nاگه\tاگر\nمیاد\tمی‌آید\nبهش\tبه او\tto him, to her\n"
        "منو\tمن را\tme (as object)\nنمیخوام\tنمی‌خواهم\nاگه\n"
        "بهم\tبه من\tبه من\nx\tاگر\nاینو\tاین را\tthis (as object)\n"_ba;
    sources.presentStems = "آمدن\tآ\nافزودن\tافزا\nایستادن\tایست\nفرورفتن\tفرورو\nرنجیدن\tرنج\n"
                           "آختن\tآهنج\nخوابیدن\tخواب\nx\n"_ba;
    // -ی after a vowel, on a plural and after a silent ه; spoken pronoun endings,
    // copula and object marker; none where another word is spelt so. The team's
    // colloquial spellings lead to the standard form, whose record already names
    // what it is a form of (میاد), or to the team's English; a word of its own keeps
    // its entry, and a standard form no list holds and lines of another shape make
    // nothing.
    fx::expectMeanings(
        fx::stages(lex, sources),
        {u"کتاب‌ها → Plural: Book"_s, u"درخت‌ها → Plural: Tree"_s,
         u"رفتم → Past: Go - Leave"_s, u"کردم → Past: Do - (form) Kurd"_s,
         u"کرد → Kurd - Past: Do"_s, u"بهتر → (form) Good"_s, u"کردی → Kurdish - Past: Do"_s,
         u"می‌روم → (form) Go - Leave"_s, u"خانه‌ام → (form) House"_s,
         u"خانه‌ای → (form) House"_s, u"پایان‌نامه → Dissertation"_s,
         u"پاياننامه → Dissertation"_s, u"توجهم → (form) Attention"_s, u"توجه ام → <absent>"_s,
         u"خهر ها → <absent>"_s, u"کتابی → <absent>"_s, u"خانه‌ها → Plural: House"_s,
         u"کتابت → Calligraphy"_s, u"روی → On"_s, u"آمد → Past: Come - Amida"_s,
         u"قالیچه ام → <absent>"_s, u"اغلب ها → <absent>"_s, u"مرند ها → <absent>"_s,
         // Spoken and vowel endings, and the colloquial spellings.
         u"صدای → (form) Sound"_s, u"آرزوی → (form) Wish"_s, u"اطلاعات های → <absent>"_s,
         u"خانه ی → (form) House"_s, u"خسته ای → (form) Tired"_s, u"صداش → (form) Sound"_s,
         u"کتابشون → (form) Book"_s, u"خوبه → (form) Good - Goodness"_s, u"بدم → (form) Bad"_s,
         u"کتابو → (form) Book"_s, u"صدا رو → (form) Sound"_s, u"خانه مون → (form) House"_s,
         u"توجهو → (form) Attention"_s, u"ما رو → (form) We"_s, u"خانه رو → (form) House"_s,
         u"صدام → Saddam"_s, u"بده → (form) Give"_s, u"زرده → <absent>"_s, u"مارو → <absent>"_s,
         u"خستهم → <absent>"_s, u"اغلبو → <absent>"_s, u"خوبمون → <absent>"_s,
         u"آرزو رو → <absent>"_s, u"خهرمون → <absent>"_s, u"پایان نامه مون → <absent>"_s,
         u"قالیچه مون → <absent>"_s, u"اگه → (form) If"_s, u"اینو → (form) this (as object)"_s,
         u"میاد → (form) Come"_s, u"بهش → (form) to him, to her"_s, u"منو → Menu"_s,
         u"نمیخوام → <absent>"_s, u"بهم → <absent>"_s, u"کتاب‌های → (form) Book"_s,
         // The plural's possessives, as the plural is made; none on an Arabic plural.
         u"کتاب‌هایم → (form) Book"_s, u"کتابهایش → (form) Book"_s,
         u"کتابهایشان → <absent>"_s, u"ادبیات هایت → <absent>"_s, u"صادرات ها → <absent>"_s,
         u"صادرات هایم → <absent>"_s,
         // Present forms, letters before آ, ا, اي, a preverb; none beside a record or known word.
         u"می‌آیم → (form) Come"_s, u"نمی‌آید → (form) Come"_s,
         u"میافزایید → (form) Add"_s, u"نمی آیند → (form) Come"_s, u"بیایید → (form) Come"_s,
         u"نیفزاییم → (form) Add"_s, u"بیفزا → (form) Add"_s, u"نیا → (form) Come"_s,
         u"بایستد → (form) Stand"_s, u"فرومی روم → (form) Sag"_s, u"فرونرود → (form) Sag"_s,
         u"فروبرود → <absent>"_s, u"نرنجید → (form) Resent"_s, u"برنج → Rice"_s,
         u"برنجم → (form) Rice"_s, u"بیا → <absent>"_s, u"می آهنجم → <absent>"_s,
         u"می خوابم → <absent>"_s,
         // A key's negative, but none in place of a word, even a name's.
         u"نمی‌رسی → (form) Arrive"_s, u"نرسی → Narses"_s});
}

} // namespace
