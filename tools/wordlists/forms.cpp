#include "forms.h"

namespace vorlan::wordlists {

// No forms yet: the next change generates them.
void addLookupForms(Lexicon &lexicon, const FormSources &sources, Report &report) {
    Q_UNUSED(lexicon);
    Q_UNUSED(sources);
    Q_UNUSED(report);
}

} // namespace vorlan::wordlists
