#pragma once

#include "lexicon.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The part-of-speech marker a sense is written under.
namespace vorlan::wordlists {

// "(.n)", "(.vt)", ...; empty for None.
QString markerText(PartOfSpeech pos);

// A source's part of speech ("n", "noun", "v", "verb", "adj", ...) as a
// marker group; proper names are nouns. A verb's transitivity comes from the English gloss when it
// says so, else from `persian`: all translations of the one sense, which
// share it.
PartOfSpeech partOfSpeech(QStringView sourcePos, QStringView englishHint,
                          const QStringList &persian);

} // namespace vorlan::wordlists
