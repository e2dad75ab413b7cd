#pragma once

#include "lexicon.h"
#include "persianforms.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Endings as people write and type them that the standard rules of
// persianforms.h leave out: the -ی after a final vowel (صدای) and the
// endings of spoken Persian (جاش, کارشون, عالیه, کارو). Each leads to
// its base record like the other lookup forms.
namespace vorlan::wordlists {

// A set of parts of speech, by bit: the senses a form leads to.
constexpr unsigned posBit(PartOfSpeech pos) {
    return 1U << unsigned(pos);
}

enum class EndingKind {
    VowelYeh, // ezafe or indefinite: صداي, نيروي, كارهاي; after a silent ه خانه ي
    Pronoun, // -م -ت -ش after ا or و (جام, پات); -مون -تون -شون (كارشون, خانه مون)
    Copula,  // on an adjective, -ه "is" and -م "I am": سخته, مجبورم
    Object,  // the marker را: -و after a consonant, رو after a vowel (كارو, جا رو)
};
inline constexpr int kEndingKinds = 4;

// What a one-word headword is, as far as the endings go. The caller decides
// noun and adjective by the entry's own senses; a pronoun is one of
// objectPronouns() and nothing else.
struct EndingWord {
    QString headword;
    FinalHeh heh = FinalHeh::None;
    bool noun = false;
    bool adjective = false;
    bool pronoun = false;
    QStringList plurals; // the noun's -ها plural as FA spells it: كار ها, كارها
};

struct Ending {
    QString form;
    EndingKind kind;
};

// The endings of one word, each in the lists' letters with a joiner as a
// space (خانه مون), then joined (خانهمون) where a joiner stands:
// - VowelYeh on a noun or adjective in ا or و (صداي, آرزوي) and on its
//   plurals (كار هاي, كارهاي; none on an Arabic plural in -ات); after a
//   silent ه the ezafe ي apart and joined, on an adjective also اي (خسته
//   اي; a noun's is its indefinite);
// - Pronoun on a noun: -م -ت -ش after ا or و only (elsewhere they are the
//   written possessives), -مون -تون -شون after any letter; not on the
//   plurals (بچه هامون): 33,000 spellings that raised the coverage of the
//   20,000 commonest words by 0.1 %;
// - Copula on an adjective, not after ه or a vowel other than ي;
// - Object on a noun or pronoun: -و after a consonant or a sounded ه,
//   " رو" and joined after ا or a silent ه, after و only for a pronoun (تو رو),
//   whose و is a vowel; none after a noun's و or ي, vowel or consonant.
// Nothing for a phrase, a single letter, or a final ه in doubt.
QList<Ending> spokenEndings(const EndingWord &word);

// The personal, demonstrative and reflexive pronouns that take the object
// marker (من, اين, خودم, ...), in the lists' letters.
const QStringList &objectPronouns();

struct MadeEnding {
    Ending ending;
    const QString *headword;
    unsigned keep; // the parts of speech whose senses it leads to, by posBit
};

// The endings of one entry's headword, `plurals` its -ها plural as FA
// spells it. They go on a word whose own first sense (the 2022 extract's
// or a team list's, not a reversal) is a noun, or an adjective, whatever
// else it is (استادمون, راحتم): تا "until" and بر "on" are nouns too, but
// تاش is no form of تا. They lead to the senses of those parts of speech,
// a pronoun's to its pronoun senses (منو is no "maund").
std::vector<MadeEnding> entryEndings(const QString &headword, const PersianEntry &entry,
                                     const QStringList &plurals);

// Words the lists use on their own besides the headwords: one that is a
// whole Persian meaning of an English headword (نظامي "military"), and the
// word before a light verb in a headword (ديدباني of ديدباني دادن, راهي of
// راهي شدن), which takes a bare noun or adjective, not an indefinite.
QSet<QString> knownPersianWords(const Lexicon &lexicon);

// The made endings to write: none whose spelling `taken` says is a word or
// form of its own (بده is "give!", not "it is bad"), none that two headwords
// make. Counts the kept ones of each kind and the dropped ones in `report`.
std::vector<MadeEnding> keepEndings(std::vector<MadeEnding> made,
                                    const std::function<bool(const QString &)> &taken,
                                    Report &report);

} // namespace vorlan::wordlists
