#pragma once

#include "lexicon.h"

// Lookup forms: records for inflected forms ("Went", "Books", كتاب ها) that
// lead to their headword, so a word as it stands in running text finds its
// entry.
namespace vorlan::wordlists {

// What the forms are made from besides the lexicon itself.
struct FormSources {};

// Adds the lookup forms of the lexicon's headwords. It runs after the
// cleaning, so that forms lead only to headwords that stay.
void addLookupForms(Lexicon &lexicon, const FormSources &sources, Report &report);

} // namespace vorlan::wordlists
