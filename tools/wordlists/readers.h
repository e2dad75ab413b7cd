#pragma once

#include "lexicon.h"

#include <QString>

// The first stage: each source read into the lexicon, as it is. What to keep
// of a line is decided here only as far as the line's own shape goes; the
// weighing of senses against each other is the cleaning's.
namespace vorlan::wordlists {

// A list in the 2015 translation list's format, `HEADWORD {pos} (gloss) ::
// TR1, TR2`: each translation an English entry's sense and, reversed, a
// Persian entry's. `origin` tells the 2015 list from the team's list.
void readTranslationList(const QString &text, Origin origin, Lexicon &lexicon, Report &report);

// The 2022 extract, `KEYS<TAB>HTML`: its glosses become a Persian entry's
// senses and, where a sense is a short word or phrase, reversed English
// entries' senses.
void readWiktextract(const QString &text, Lexicon &lexicon, Report &report);

// The text's lines, without line ends.
QStringList textLines(const QString &text);

} // namespace vorlan::wordlists
