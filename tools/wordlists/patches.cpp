#include "normalise.h"

// Typos of the sources, each checked by eye against the source line and the
// word's usual spelling. Whole words, in the lists' letter forms (ي, ك).
namespace vorlan::wordlists {

QList<TypoPatch> typoPatches() {
    static const QList<TypoPatch> patches = {
        // genius {n}: transliterated nâbeğe; غ typed as the key beside it.
        {u"نابفه", u"نابغه"},
        // you {pron}, object: transliterated šomā-rā; the space slipped one letter.
        {u"شم ارا", u"شما را"},
        // doggy style {n}: transliterated az posht be jelo gozashtan, spelt as heard.
        {u"اض پوشت ب ژلو گوضشتن", u"از پشت به جلو گذاشتن"},
    };
    return patches;
}

QList<LinePatch> linePatches() {
    static const QList<LinePatch> patches = {
        // "a million million": the old British long scale; today a billion is ميليارد.
        {u"billion", u"num", u"a million million", {}},
        // An interjection, informal "yes", given as a noun ("Yeps").
        {u"yep", u"n", u"informal", u"interj"},
    };
    return patches;
}

QList<PairPatch> pairPatches() {
    static const QList<PairPatch> patches = {
        // CLDR's Persian name of ؛ reads "Arabic colon" (دونقطه is its name of
        // ":"); its own keywords for ؛ give نقطه‌ویرگول, its name of ";".
        {u"Arabic semicolon", u"دونقطه عربي", u"نقطه ويرگول"},
    };
    return patches;
}

QString patchedPair(QStringView english, const QString &persian) {
    for (const PairPatch &p : pairPatches()) {
        if (english.compare(p.english, Qt::CaseInsensitive) == 0 && persian == p.wrong) {
            return p.right.toString();
        }
    }
    return persian;
}

} // namespace vorlan::wordlists
