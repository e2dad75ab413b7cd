#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Persian lookup forms: the inflected and alternate keys a 2022 entry lists
// beside its lemma (کتاب‌ها, می‌روم, رفتم, خانه‌ام), in the lists'
// letter forms.
namespace vorlan::wordlists {

// What a form is, where its letters say so for certain.
enum class FaFormKind {
    Plural,         // the lemma and -ها
    Past,           // a verb's past stem with a personal ending: رفتم, رفت
    PastParticiple, // the past stem and -ه: رفته
    Other,          // any other form or spelling the source gives
};

struct PersianFormKey {
    QString form; // normalised: ZWNJ is a space, as everywhere in FA
    FaFormKind kind;
    bool made = false; // a present's negative made here, not a key of the entry
};

// Why a key is not taken; the caller counts them.
enum class FaKeySkip {
    None,
    Placeholder, // "Term?"
    Romanised,   // Latin letters: "ketâb-hâ"
    Vocalised,   // written with harakat, a reading aid, not a spelling
    Affix,       // with a tatweel: "ـآباد"
    NotAWord,    // digits, punctuation, a single letter, or no Persian letter
    SameAsLemma, // equal to the lemma once normalised
    Repeated,    // equal to an earlier key once normalised
    LongPhrase,  // more than one word longer than the lemma
    Progressive, // "دارم میروم": a form of داشتن before a form listed on its own
    TableWord, // a verb's key that is a pronoun or copula of its conjugation table: "او", "هستند"
    MisplacedPrefix, // the verb's prefix on a word before the verb: "ببه كار بره", "ببو كنه"
};

// The entry whose keys are read: its FA headword (normalised), the headword
// without the joiners its source wrote (empty if none), whether it is a noun
// or a verb, which decides whether a form can be named, and the length of a
// preverb a verb begins with (2 for بر of برگشتن, a verb گشتن of its own).
struct PersianLemma {
    QString headword;
    QString joined;
    bool noun = false;
    bool verb = false;
    qsizetype preverb = 0;
};

// The forms among one entry's keys, each in its standard spelling (a
// joiner as a space) and typed without the joiner, where the key has one:
// the source's ZWNJ (کتاب‌ها: كتاب ها, كتابها), or one the extract lost
// where the split is certain (كردهام: كرده ام, كردهام). A space that
// splits a one-word lemma (بر گشتهاين of برگشتن) is taken out. A past or
// past participle comes with its negative: ن before the verb, after a
// preverb (كردم نكردم, كار نكردم, برنگشتم); none where the verb begins with
// ا or آ, whose negative is spelt otherwise (نيامد). So does a present with
// مي or a subjunctive with ب (نمي خواهم, نخواهم). Each form
// comes once, in the order of the keys; `skipped`, when given, receives one
// reason per key not taken.
QList<PersianFormKey> persianFormKeys(const PersianLemma &lemma, const QStringList &keys,
                                      QList<FaKeySkip> *skipped = nullptr);

// How a noun's final ه is read, which decides how an ending joins it.
enum class FinalHeh {
    None,    // the noun does not end in ه
    Silent,  // a vowel sign: خانه, خانه‌ام
    Sounded, // a consonant: توجه, توجهم
    InDoubt, // no ending is made
};

// By the 2022 extract's romanisations of the word among `keys`: one ending
// in h (tavajjoh, šabih, kuh) makes it sounded, in e, é, ə or a (xâne,
// qahve) silent; where they disagree, in doubt. Without one, by the letters:
// sounded after ا (راه, گاه), in doubt after و (كوه but قهوه) and in a word
// of two letters (ده, مه), silent elsewhere.
FinalHeh finalHeh(const QString &noun, const QStringList &keys);

// The singular possessive endings of a one-word noun, "my", "your", "his or
// her": كتابم كتابت كتابش, پايم پايت پايش, توجهم توجهت توجهش, and after a
// silent ه خانه‌ام خانه‌ات خانه‌اش, each followed by its spelling without
// the joiner (خانه ام, خانهام, ...). These are the forms running text is
// fullest of that the extract never lists. Nothing where the letters leave
// the spelling in doubt: a final و or ي may be a vowel or a consonant
// (دانشجويم but گاوم), and آ is too rare.
QStringList possessiveForms(const QString &noun, FinalHeh heh);

// The possessives of a one-word noun's plural in -ها for one owner, "my",
// "your", "his or her": كتاب هايم, كتابهايم, ... كتابهايش, written as the
// plural is; none where pluralForms makes none.
QStringList pluralPossessiveForms(const QString &noun, QStringView english = {});

// The plural in -ها of a one-word noun, written apart as with a ZWNJ, the
// standard spelling after any letter, then joined (كتاب ها, كتابها); none
// for a phrase or for an Arabic plural in -ات, one in -يات (ادبيات) or one
// whose first English sense `english` is a plural ("Exports": صادرات).
QStringList pluralForms(const QString &noun, QStringView english = {});

// The indefinite "-ی" of a one-word noun ("جایی" a place, "مشکلی" a
// problem): -يي after ا, " اي" (ZWNJ and ای, then joined) after a silent ه,
// -ي after a consonant or a sounded ه; none after و, ي or آ, where the
// spelling is not certain.
QStringList indefiniteForms(const QString &noun, FinalHeh heh);

// The English opening of a form's meaning in FA2EN: "Plural: ", "Past: ",
// "Past participle: " or "(form) ".
QString faFormOpening(FaFormKind kind);

// One line of the team's table of colloquial spellings: the spoken form
// ("اگه"), its standard written form ("اگر"), and, where the standard is a
// phrase no list holds ("بهش", به او), the team's English for it.
struct ColloquialForm {
    QString form;     // normalised to the lists' letters, ZWNJ as a space
    QString standard; // likewise
    QString english;  // empty where the standard's own meaning serves
};

// `COLLOQUIAL<TAB>STANDARD[<TAB>ENGLISH]` lines; "#" opens a comment line.
// A line of another shape, or whose Persian does not normalise to a word of
// the lists' letters, is left out and counted in `bad`.
QList<ColloquialForm> parseColloquialTable(const QString &text, qsizetype *bad = nullptr);

} // namespace vorlan::wordlists
