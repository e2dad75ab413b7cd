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
    // Lower-case words only, as written in the list: "books" yes, "parises" no.
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

// Regular forms of one lower-case word as that part of speech, before any
// check: -s/-es/-ies and -men plurals; -s, -ed and -ing with e-drop, -ied and
// doubled consonants; -er/-est of short adjectives. Where the spelling rule
// cannot be told from the letters (doubling in "visit" or "refer", -os or
// -oes) every candidate comes out and the word list decides. Nothing for
// adverbs, for words that are not plain letters, and no plural, degree or
// past where `irregular` says that the exception list gives one ("childs"
// is a word but no plural, "singed" no past of "sing"). Only a verb's -ing
// and -t forms ("dying", "burnt", "wrought") leave its -ed to be made.
QStringList regularForms(const QString &word, EnPos pos, bool irregular = false);

// One EN headword with the parts of speech its sources give it.
struct EnHeadwordPos {
    QString headword; // as written in EN: "Book", "Brother-in-law"
    std::set<EnPos> pos;
    // No sense of its own, only names or senses reversed from Persian
    // ("Men" ذكر): a form of the same spelling is made all the same and leads.
    bool yields = false;
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
};

// The lookup forms of all headwords, sorted as EN is. Single words get
// regular forms where a word list confirms them (an adjective's only where
// it has both -er and -est: "backer" is no degree of "back"); phrases get none, except
// the irregular forms WordNet lists for the whole phrase ("brothers-in-law"),
// since inflecting a phrase's head by rule cannot tell "attorneys general"
// from "attorney generals". Headwords known only as other parts of speech
// (pronouns, prepositions, names) get no forms.
QList<EnglishForm> englishForms(const QList<EnHeadwordPos> &headwords, const EnglishWords &words,
                                const WordNetExceptions &exceptions,
                                EnglishFormCounts *counts = nullptr);

} // namespace vorlan::wordlists
