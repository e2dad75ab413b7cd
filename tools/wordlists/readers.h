#pragma once

#include "lexicon.h"

#include <QString>

// The first stage: each source read into the lexicon, as it is. What to keep
// of a line is decided here only as far as the line's own shape goes; the
// weighing of senses against each other is the cleaning's.
namespace vorlan::wordlists {

// Which senses of a translation list become, reversed, Persian entries' senses.
enum class Reverse {
    Every,
    // Only a headword's first line of each part of speech: in a list whose
    // senses run from the most frequent to narrow ones, "argue" (to give
    // evidence of) نشان دادن makes no English meaning of نشان دادن.
    FirstSense,
};

// A list in the 2015 translation list's format, `HEADWORD {pos} (gloss) ::
// TR1, TR2`: each translation an English entry's sense and, reversed, a
// Persian entry's. `origin` tells the 2015 list from the team's lists.
void readTranslationList(const QString &text, Origin origin, Lexicon &lexicon, Report &report,
                         Reverse reverse = Reverse::Every);

// The team's Persian list, `PERSIAN {pos} (gloss) :: EN1, EN2`: each English
// word a sense of the Persian entry, in its order; nothing is reversed, so the
// English entries stay as the English sources have them.
void readPersianList(const QString &text, Lexicon &lexicon, Report &report);

// The 2022 extract, `KEYS<TAB>HTML`: its glosses become a Persian entry's
// senses and, where a sense is a short word or phrase, reversed English
// entries' senses.
void readWiktextract(const QString &text, Lexicon &lexicon, Report &report);

// Princeton WordNet 3.0's data files, as Debian's wordnet-base installs them.
struct WordnetData {
    QByteArray noun;        // data.noun
    QByteArray verb;        // data.verb
    QByteArray adj;         // data.adj
    QByteArray adv;         // data.adv
    QByteArray senseCounts; // cntlist.rev, SemCor's sense-tagged counts; may be empty
};

// The lemmas of the synset at `offset` of a WordNet data file, underscores
// as spaces and adjective position marks ("(p)") gone. Debian's files are
// patched, so a synset after a patch stands a few bytes later than the
// original offset the links name: the first synset that begins within
// kWordnetShift bytes at or after `offset` and whose line names its own
// position is taken. Empty when there is none.
inline constexpr qsizetype kWordnetShift = 32;
QStringList synsetLemmas(const QByteArray &data, qsizetype offset);

// The lemmas of one line of a data file, as synsetLemmas gives them; empty
// for a line that is no synset (the licence header).
QStringList wordnetLineLemmas(const QByteArray &line);

// The Open Multilingual Wordnet's Wiktionary links, `OFFSET-POS<TAB>fas:lemma
// <TAB>PERSIAN`, joined to WordNet. A synset's lemmas are mostly synonyms,
// not translations of the Persian word, so a pair enters only where the
// Persian word translates that lemma itself: the synset has no other lemma,
// or another source already pairs the two (in either direction). Runs after
// the other sources for that reason.
void readWordnetLinks(const QString &text, const WordnetData &wordnet, Lexicon &lexicon,
                      Report &report);

// WordNet's cntlist.rev, `LEMMA%TYPE:... SENSE COUNT`: how often SemCor's
// tagged text uses each lemma as each part of speech, added up over its
// senses into `lexicon.taggedCounts`. Lines of another shape are skipped.
void readWordnetCounts(const QByteArray &cntlist, Lexicon &lexicon, Report &report);

// Names from the Unicode CLDR, English and Persian of one code side by side.
struct CldrTexts {
    // localenames/{en,fa}/{languages,territories,scripts}.json
    QByteArray languagesEn, languagesFa;
    QByteArray territoriesEn, territoriesFa;
    QByteArray scriptsEn, scriptsFa;
    // annotations/{en,fa}/annotations.json
    QByteArray annotationsEn, annotationsFa;
};

// Language, territory and script names, and the spoken names of symbols of
// at most two English words, paired by their code or symbol. Variant names
// ("-alt-short") and symbol keywords, which do not pair one to one, are left.
// SourceError when a file is not the JSON it should be.
void readCldr(const CldrTexts &cldr, Lexicon &lexicon, Report &report);

// The text's lines, without line ends.
QStringList textLines(const QString &text);

} // namespace vorlan::wordlists
