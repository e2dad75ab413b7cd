#include "englishforms.h"

#include "englishtext.h"
#include "readers.h"
#include "wordlistrules.h"

#include <algorithm>

namespace vorlan::wordlists {

namespace {

bool isVowel(QChar c) {
    return c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u';
}

bool isPlainWord(QStringView w) {
    return w.size() >= 2 &&
           std::all_of(w.begin(), w.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

// Vowel groups, "y" a vowel after the first letter, a final silent "e" not
// counted: "make" 1, "stop" 1, "happy" 2, "visit" 2.
int syllables(QStringView w) {
    int n = 0;
    bool inVowel = false;
    for (qsizetype i = 0; i < w.size(); ++i) {
        const bool quU = w[i] == u'u' && i > 0 && w[i - 1] == u'q';
        const bool v = !quU && (isVowel(w[i]) || (w[i] == u'y' && i > 0));
        if (v && !inVowel) {
            ++n;
        }
        inVowel = v;
    }
    if (n > 1 && w.endsWith(u'e') && !w.endsWith(u"le") && !isVowel(w[w.size() - 2])) {
        --n;
    }
    return std::max(n, 1);
}

// Consonant, one vowel, consonant at the end ("stop", "quit", "refer"): the
// shape whose last letter doubles before -ed, -ing, -er when stressed.
bool endsConsonantVowelConsonant(QStringView w) {
    if (w.size() < 3) {
        return false;
    }
    const QChar last = w[w.size() - 1];
    const QChar mid = w[w.size() - 2];
    const QChar first = w[w.size() - 3];
    if (isVowel(last) || last == u'w' || last == u'x' || last == u'y' || !isVowel(mid)) {
        return false;
    }
    return !isVowel(first) || (first == u'u' && w.size() >= 4 && w[w.size() - 4] == u'q');
}

bool consonantBeforeY(QStringView w) {
    return w.size() >= 2 && w.endsWith(u'y') && !isVowel(w[w.size() - 2]);
}

// A group of spellings of one form: the first the word list holds is the
// form, so that a rule with a doubt ("refered" or "referred") keeps one.
using Group = QStringList;

Group sibilantOrPlain(const QString &w, bool noun) {
    // "humans" and "Germans" where the list has them, else "policemen".
    if (noun && w.endsWith(QStringLiteral("man"))) {
        return {w + u's', w.chopped(3) + QStringLiteral("men")};
    }
    if (w.endsWith(u's') || w.endsWith(u'z')) {
        // "gases" or "gasses", "quizzes": the list knows.
        if (endsConsonantVowelConsonant(w)) {
            return {w + QStringLiteral("es"), w + w.back() + QStringLiteral("es")};
        }
        return {w + QStringLiteral("es")};
    }
    if (w.endsWith(u'x') || w.endsWith(QStringLiteral("ch")) || w.endsWith(QStringLiteral("sh"))) {
        return {w + QStringLiteral("es")};
    }
    if (consonantBeforeY(w)) {
        return {w.chopped(1) + QStringLiteral("ies")};
    }
    if (w.endsWith(u'o') && !isVowel(w[w.size() - 2])) {
        return {w + QStringLiteral("es"), w + u's'};
    }
    return {w + u's'};
}

// The -ed or -ing of a verb, `suffix` beginning with its vowel.
Group verbSuffix(const QString &w, const QString &suffix) {
    const bool ing = suffix == u"ing";
    if (w.endsWith(u'e')) {
        if (ing) {
            if (w.endsWith(QStringLiteral("ie"))) {
                return {w.chopped(2) + QStringLiteral("ying")};
            }
            if (w.endsWith(QStringLiteral("ee")) || w.endsWith(QStringLiteral("oe")) ||
                w.endsWith(QStringLiteral("ye"))) {
                return {w + suffix};
            }
            // "singeing" beside "singing": the list knows which keeps its e.
            return {w + suffix, w.chopped(1) + suffix};
        }
        return {w + u'd'};
    }
    if (!ing && consonantBeforeY(w)) {
        return {w.chopped(1) + QStringLiteral("ied")};
    }
    if (w.endsWith(u'c')) {
        return {w + u'k' + suffix, w + suffix};
    }
    if (endsConsonantVowelConsonant(w)) {
        const QString doubled = w + w.back() + suffix;
        if (syllables(w) == 1) {
            return {doubled};
        }
        return {w + suffix, doubled};
    }
    return {w + suffix};
}

// -er or -est of a short adjective.
Group adjectiveSuffix(const QString &w, const QString &suffix) {
    if (w.endsWith(u'e')) {
        return {w + suffix.mid(1)};
    }
    if (consonantBeforeY(w)) {
        return {w.chopped(1) + u'i' + suffix};
    }
    if (endsConsonantVowelConsonant(w) && syllables(w) == 1) {
        return {w + w.back() + suffix};
    }
    return {w + suffix};
}

QList<Group> regularGroups(const QString &w, EnPos pos, bool irregular) {
    if (!isPlainWord(w)) {
        return {};
    }
    switch (pos) {
    case EnPos::Noun:
        if (irregular) {
            return {};
        }
        return {sibilantOrPlain(w, true)};
    case EnPos::Verb: {
        QList<Group> groups = {sibilantOrPlain(w, false), verbSuffix(w, QStringLiteral("ing"))};
        if (!irregular) {
            groups.append(verbSuffix(w, QStringLiteral("ed")));
        }
        return groups;
    }
    case EnPos::Adj:
        // Longer adjectives take "more" and "most"; "-ly" adverbs likewise.
        if (irregular || !(syllables(w) == 1 || (syllables(w) == 2 && consonantBeforeY(w)))) {
            return {};
        }
        return {adjectiveSuffix(w, QStringLiteral("er")),
                adjectiveSuffix(w, QStringLiteral("est"))};
    case EnPos::Adv:
        break;
    }
    return {};
}

// Modals inflect not at all as verbs; their pasts not at all.
bool isModal(const QString &w) {
    static const QSet<QString> modals = {QStringLiteral("can"),   QStringLiteral("may"),
                                         QStringLiteral("must"),  QStringLiteral("ought"),
                                         QStringLiteral("shall"), QStringLiteral("will")};
    return modals.contains(w);
}

bool isModalPast(const QString &w) {
    static const QSet<QString> pasts = {QStringLiteral("could"), QStringLiteral("might"),
                                        QStringLiteral("should"), QStringLiteral("would")};
    return pasts.contains(w);
}

// Verbs whose past and participle are the base itself, which WordNet's
// exception lists cannot name.
bool hasUnchangedPast(const QString &w) {
    static const QSet<QString> verbs = {
        QStringLiteral("burst"), QStringLiteral("cast"),   QStringLiteral("cost"),
        QStringLiteral("cut"),   QStringLiteral("hit"),    QStringLiteral("hurt"),
        QStringLiteral("let"),   QStringLiteral("put"),    QStringLiteral("set"),
        QStringLiteral("shed"),  QStringLiteral("shut"),   QStringLiteral("slit"),
        QStringLiteral("split"), QStringLiteral("spread"), QStringLiteral("thrust"),
        QStringLiteral("upset")};
    return verbs.contains(w);
}

QString capitalised(const QString &w) {
    return w.left(1).toUpper() + w.mid(1);
}

// WordNet's plural changes the word itself ("men", "leaves"), rather than
// adding a learned ending or spelling the regular one otherwise
// ("formulae", "gasses").
bool hasNativePlural(const QString &w, const WordNetExceptions &exceptions) {
    const QStringList forms = exceptions.formsOf(EnPos::Noun, w);
    return !forms.isEmpty() && std::none_of(forms.begin(), forms.end(),
                                            [&](const QString &f) { return f.startsWith(w); });
}

// A past made for `base` that is another verb's: a verb of its own ("seed")
// or another verb's regular past ("singed" of singe).
bool isOtherVerbsPast(const QString &past, const QString &base, const WordNetLemmas &lemmas) {
    if (lemmas.has(EnPos::Verb, past)) {
        return true;
    }
    QStringList stems = {past.chopped(1), past.chopped(2)};
    if (past.size() > 4) {
        stems << past.chopped(3) << past.chopped(3) + u'y';
    }
    return std::any_of(stems.begin(), stems.end(), [&](const QString &stem) {
        return stem != base && lemmas.has(EnPos::Verb, stem) &&
               verbSuffix(stem, QStringLiteral("ed")).contains(past);
    });
}

// A participle that is the base plus -n or -en ("shown", "proven", "sewn")
// stands beside a regular past ("showed"); "seen" comes with "saw".
bool hasIrregularPast(const QString &base, const QStringList &forms) {
    return std::any_of(forms.begin(), forms.end(), [&](const QString &f) {
        return !f.endsWith(QStringLiteral("ing")) && !f.endsWith(u't') && f != base + u'n' &&
               f != base + QStringLiteral("en");
    });
}

} // namespace

EnglishWords EnglishWords::parse(const QByteArray &text) {
    EnglishWords out;
    for (const QByteArray &line : text.split('\n')) {
        const QString w = QString::fromUtf8(line.trimmed());
        if (!w.isEmpty()) {
            out.words_.insert(w);
        }
    }
    return out;
}

const char *wordNetExceptionFile(EnPos pos) {
    switch (pos) {
    case EnPos::Noun:
        return "noun.exc";
    case EnPos::Verb:
        return "verb.exc";
    case EnPos::Adj:
        return "adj.exc";
    case EnPos::Adv:
        return "adv.exc";
    }
    return "";
}

void WordNetExceptions::add(EnPos pos, const QByteArray &text) {
    QHash<QString, QStringList> &map = byBase_[pos];
    for (const QByteArray &line : text.split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 2) {
            continue;
        }
        const QString form = QString(fields.front()).replace(u'_', u' ');
        if (form != form.toLower()) {
            continue;
        }
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const QString base = QString(fields[i]).replace(u'_', u' ');
            if (base != form && !map[base].contains(form)) {
                map[base].append(form);
            }
        }
    }
}

QStringList WordNetExceptions::formsOf(EnPos pos, const QString &base) const {
    const auto it = byBase_.find(pos);
    return it == byBase_.end() ? QStringList() : it->second.value(base);
}

bool WordNetExceptions::hasBase(EnPos pos, const QString &base) const {
    const auto it = byBase_.find(pos);
    return it != byBase_.end() && it->second.contains(base);
}

void WordNetLemmas::add(EnPos pos, const QByteArray &data) {
    // A data line's second field is its lexicographer file; 18 is noun.person.
    constexpr char kPersons[] = " 18 ";
    for (const QByteArray &line : data.split('\n')) {
        const bool person = pos == EnPos::Noun && line.mid(8, 4) == kPersons;
        for (const QString &lemma : wordnetLineLemmas(line)) {
            pos_[lemma.toLower()].insert(pos);
            if (person) {
                persons_.insert(lemma.toLower());
            }
        }
    }
}

qsizetype WordNetExceptions::size() const {
    qsizetype n = 0;
    for (const auto &[pos, map] : byBase_) {
        n += map.size();
    }
    return n;
}

QStringList regularForms(const QString &word, EnPos pos, bool irregular) {
    QStringList out;
    for (const Group &g : regularGroups(word, pos, irregular)) {
        out.append(g);
    }
    return out;
}

QList<EnglishForm> englishForms(const QList<EnHeadwordPos> &headwords, const EnglishWords &words,
                                const WordNetExceptions &exceptions, const WordNetLemmas &lemmas,
                                EnglishFormCounts *counts) {
    EnglishFormCounts c;
    QSet<QString> headwordKeys;
    QSet<QString> allHeadwordKeys;
    for (const EnHeadwordPos &h : headwords) {
        allHeadwordKeys.insert(wordlist::enSortKey(h.headword));
        if (!h.yields) {
            headwordKeys.insert(wordlist::enSortKey(h.headword));
        }
    }
    struct Found {
        // By EN order key, so that the output does not depend on input order.
        std::map<QString, EnglishFormOf> bases;
        std::set<QString> own; // keys of the bases whose sources give the form's part of speech
        bool irregular = false;
    };
    std::map<QString, Found> found; // by lower-cased form
    auto add = [&](const QString &form, const EnHeadwordPos &h, EnPos pos, bool irregular,
                   bool own) {
        Found &f = found[form];
        const QString key = wordlist::enSortKey(h.headword);
        EnglishFormOf &base = f.bases[key];
        base.headword = h.headword;
        base.pos.insert(pos);
        if (own) {
            f.own.insert(key);
        }
        f.irregular = f.irregular || irregular;
    };
    for (const EnHeadwordPos &h : headwords) {
        const QString lower = h.headword.toLower();
        if (isModalPast(lower)) {
            continue;
        }
        // Capitals after the first letter ("Aids" from "AIDS" stays, "McCoy"
        // does not) mark a name or an abbreviation, which takes no -s by rule.
        const bool plain = !h.name && h.headword.mid(1) == lower.mid(1);
        std::set<EnPos> pos = h.pos.empty() && !h.name ? lemmas.posOf(lower) : h.pos;
        if (plain && lemmas.has(EnPos::Verb, lower)) {
            pos.insert(EnPos::Verb);
        }
        if (isModal(lower)) {
            pos.erase(EnPos::Verb);
        }
        for (const EnPos p : pos) {
            const bool own = h.pos.count(p) != 0;
            for (const QString &form : exceptions.formsOf(p, lower)) {
                add(form, h, p, true, own);
            }
            if (!plain) {
                continue;
            }
            const bool irregular = p == EnPos::Verb   ? hasUnchangedPast(lower)
                                   : p == EnPos::Noun ? hasNativePlural(lower, exceptions) &&
                                                            lemmas.has(EnPos::Verb, lower)
                                                      : exceptions.hasBase(p, lower);
            const QList<Group> groups = regularGroups(lower, p, irregular);
            // Only a past ("sang", "saw") puts the -ed in doubt; WordNet
            // lists -ing and -t forms beside the regular past ("dying",
            // "burnt").
            const bool pastToCheck =
                p == EnPos::Verb && hasIrregularPast(lower, exceptions.formsOf(p, lower));
            const auto inList = [&](const QString &s) {
                return words.contains(s) ||
                       (p == EnPos::Noun && s == lower + u's' && lemmas.isPerson(lower) &&
                        !lower.endsWith(QStringLiteral("ese")) && words.contains(capitalised(s)));
            };
            // "-er" alone is often a noun of its own ("backer", "loner"); a
            // gradable adjective has both degrees.
            if (p == EnPos::Adj && !std::all_of(groups.begin(), groups.end(), [&](const Group &g) {
                    return std::any_of(g.begin(), g.end(), inList);
                })) {
                c.notAWord += groups.size();
                continue;
            }
            for (qsizetype i = 0; i < groups.size(); ++i) {
                const Group &g = groups[i];
                const auto hit = std::find_if(g.begin(), g.end(), inList);
                if (hit == g.end()) {
                    ++c.notAWord;
                    continue;
                }
                // A verb's -s beside a native plural reads as that plural
                // ("foots") where only WordNet knows the verb.
                if ((p == EnPos::Verb && i == 0 && !own && hasNativePlural(lower, exceptions)) ||
                    (pastToCheck && i == 2 && isOtherVerbsPast(*hit, lower, lemmas))) {
                    continue;
                }
                c.wordNetPos += own ? 0 : 1;
                // A plural the list holds only capitalised never takes the
                // place of a headword ("Laos" is no plural of "Lao").
                const bool capital = !words.contains(*hit);
                add(*hit, h, p, false, own && !capital);
                if (capital && h.pos.count(EnPos::Adj) != 0) {
                    add(*hit, h, EnPos::Adj, false, false);
                }
            }
        }
    }
    QList<EnglishForm> out;
    for (auto &[lower, f] : found) {
        // A part of speech only WordNet gives yields to one the sources give.
        if (!f.own.empty()) {
            std::erase_if(f.bases, [&](const auto &b) { return f.own.count(b.first) == 0; });
        }
        const QString key = wordlist::enSortKey(lower);
        if (headwordKeys.contains(key) || (f.own.empty() && allHeadwordKeys.contains(key))) {
            ++c.isHeadword;
            continue;
        }
        HeadwordProblem problem = HeadwordProblem::None;
        const QString form = makeEnHeadword(lower, &problem);
        if (form.isEmpty()) {
            ++c.notAHeadword;
            continue;
        }
        EnglishForm e{form, {}};
        for (const auto &[k, base] : f.bases) {
            e.bases.append(base);
        }
        out.append(e);
        ++(f.irregular ? c.irregular : c.regular);
    }
    // `found` is ordered by the lower-cased form, which is EN's order.
    if (counts) {
        *counts = c;
    }
    return out;
}

} // namespace vorlan::wordlists
