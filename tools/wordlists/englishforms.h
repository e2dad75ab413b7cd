#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <map>
#include <set>

// English lookup forms: the plurals, verb forms and comparatives a reader meets
// in running text, each leading to the headword it is a form of.
namespace vorlan::wordlists {

enum class EnPos { Noun, Verb, Adj, Adv };

// Debian's wamerican-large list: one word a line, proper nouns capitalised,
// possessives with an apostrophe. Only what a made-up form is checked against.
class EnglishWords {
public:
    static EnglishWords parse(const QByteArray &text);
    // As written in the list: "books" and "Americans" yes, "americans" and "parises" no.
    bool contains(QStringView word) const { return words_.contains(word.toString()); }
    qsizetype size() const { return words_.size(); }

private:
    QSet<QString> words_;
};

// WordNet's exception lists (noun.exc, verb.exc, adj.exc, adv.exc): the
// irregular forms, "went go", "axes ax axis". Underscores are spaces.
class WordNetExceptions {
public:
    // One file's text for one part of speech; lines that are not at least two
    // lower-case words are skipped.
    void add(EnPos pos, const QByteArray &text);
    // The irregular forms of `base` (lower case) as that part of speech.
    QStringList formsOf(EnPos pos, const QString &base) const;
    bool hasBase(EnPos pos, const QString &base) const;
    qsizetype size() const;

private:
    std::map<EnPos, QHash<QString, QStringList>> byBase_;
};

// The file names below a WordNet dictionary folder, by part of speech.
const char *wordNetExceptionFile(EnPos pos);

// WordNet's lemmas (lower case) with the parts of speech its data files
// (data.noun, data.verb, ...) list them as: "kid" a noun and a verb.
class WordNetLemmas {
public:
    // One data file's synsets as that part of speech.
    void add(EnPos pos, const QByteArray &data);
    std::set<EnPos> posOf(const QString &word) const { return pos_.value(word); }
    bool has(EnPos pos, const QString &word) const { return posOf(word).count(pos) != 0; }
    // A noun of WordNet's file of persons (noun.person): "american", "christian".
    bool isPerson(const QString &word) const { return persons_.contains(word); }
    qsizetype size() const { return pos_.size(); }

private:
    QHash<QString, std::set<EnPos>> pos_;
    QSet<QString> persons_;
};

// Regular forms of one lower-case word as that part of speech, before any
// check: -s/-es/-ies and -men plurals; -s, -ed and -ing with e-drop, -ied and
// doubled consonants; -er/-est of short adjectives. Where the spelling rule
// cannot be told from the letters (doubling in "visit" or "refer", -os or
// -oes) every candidate comes out and the word list decides. Nothing for
// adverbs, for words that are not plain letters, and no plural, degree or
// past where `irregular` says that another form takes its place ("men" for
// "mans", "put" for "putted").
QStringList regularForms(const QString &word, EnPos pos, bool irregular = false);

// One EN headword with the parts of speech its sources give it.
struct EnHeadwordPos {
    QString headword; // as written in EN: "Book", "Brother-in-law"
    std::set<EnPos> pos;
    // No sense of its own, only names or senses reversed from Persian
    // ("Men" ذكر): a form of the same spelling is made all the same and leads.
    bool yields = false;
    // A name only ("America", "Paris", "France"): no form by rule.
    bool name = false;
};

// A headword a form belongs to, and as which parts of speech: "Books" is
// the plural of the noun and the -s of the verb "Book".
struct EnglishFormOf {
    QString headword;
    std::set<EnPos> pos;
};

// A form that is not a headword, with the headwords it is a form of in the
// order of the headword list ("Leaves": "Leaf", "Leave").
struct EnglishForm {
    QString form; // as an EN headword: "Went"
    QList<EnglishFormOf> bases;
};

struct EnglishFormCounts {
    qsizetype irregular = 0;    // forms from the exception lists
    qsizetype regular = 0;      // made by rule and found in the word list
    qsizetype notAWord = 0;     // made by rule, not in the word list
    qsizetype isHeadword = 0;   // already a headword: it keeps its own entry
    qsizetype notAHeadword = 0; // too long or unfit characters for EN
    qsizetype wordNetPos = 0;   // made for a part of speech only WordNet gives the word
};

// The lookup forms of all headwords, sorted as EN is. Single words get
// regular forms where a word list confirms them (an adjective's only where
// it has both -er and -est: "backer" is no degree of "back"); phrases get none, except
// the irregular forms WordNet lists for the whole phrase ("brothers-in-law"),
// since inflecting a phrase's head by rule cannot tell "attorneys general"
// from "attorney generals". Headwords known only as other parts of speech
// (pronouns, prepositions, names) get no forms. Besides the sources' parts
// of speech:
// - a word WordNet lists as a verb gets a verb's forms ("kidding"), and one
//   the sources give no part of speech WordNet's ("thousands"); such a form
//   never takes the place of a headword, nor leads to this word where it is
//   a form of another part of speech the sources give ("has" of have, not
//   of ha, the hectare);
// - a person's plural in -s may be one the word list holds capitalised
//   ("Americans"; not "Islams", "Englishes", "Japaneses"), and then leads to the
//   adjective too: Persian names a people by its adjective;
// - a modal (can, may, must, ought, shall, will) takes no verb form, its
//   past (could, might, should, would) no form at all: "canned" and
//   "willing" are other verbs' or words of their own;
// - a learned or alternative plural or past from WordNet ("formulae",
//   "gasses", "hung", "lay") stands beside the regular one ("formulas",
//   "gases", "hanged", "lied"). Only a native plural of a word that is a
//   verb too ("men", "leaves") rules out the -s as a plural, which is then
//   the verb's ("mans"), and only a past whose -ed is another verb's
//   ("singed" is singe's, "seed" a verb of its own) rules out the -ed;
// - a verb whose past is the base itself (put, cost, burst) gets no -ed:
//   WordNet lists no form equal to its base, and "putted" is putt's.
QList<EnglishForm> englishForms(const QList<EnHeadwordPos> &headwords, const EnglishWords &words,
                                const WordNetExceptions &exceptions, const WordNetLemmas &lemmas,
                                EnglishFormCounts *counts = nullptr);

} // namespace vorlan::wordlists
