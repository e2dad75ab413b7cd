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
};

// The forms among one entry's keys. `lemma` is the FA headword of the entry
// (normalised); `noun` and `verb` say whether it is one, which decides
// whether a form can be named. Each form comes once, in the order of the
// keys; `skipped`, when given, receives one reason per key not taken.
QList<PersianFormKey> persianFormKeys(const QString &lemma, const QStringList &keys, bool noun,
                                      bool verb, QList<FaKeySkip> *skipped = nullptr);

// The singular possessive endings of a one-word noun, "my", "your", "his or
// her": كتابم كتابت كتابش, پايم پايت پايش, خانه‌ام
// خانه‌ات خانه‌اش (the ZWNJ a space, as in FA). These are the forms running text is
// fullest of that the extract never lists. Nothing where the letters leave the spelling in doubt: a
// final و or ي may be a vowel or a consonant (دانشجويم but گاوم), a final ه of a two-letter word is
// usually sounded (ده, مه), and آ is too rare.
QStringList possessiveForms(const QString &noun);

// The plural in -ها of a one-word noun, written apart as with a ZWNJ, the
// standard spelling after any letter (كتاب ها, خانه ها); empty for a phrase.
QString pluralForm(const QString &noun);

// The indefinite "-ی" of a one-word noun ("جایی" a place, "مشکلی" a
// problem): -يي after ا, " اي" (ZWNJ and ای) after a silent ه, -ي after a
// consonant; none after و, ي or آ, where the spelling is not certain.
QString indefiniteForm(const QString &noun);

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
