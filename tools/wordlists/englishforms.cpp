#include "englishforms.h"

#include "englishtext.h"
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
    if (noun && w.endsWith(QStringLiteral("man"))) {
        return {w.chopped(3) + QStringLiteral("men"), w + u's'};
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
                                const WordNetExceptions &exceptions, EnglishFormCounts *counts) {
    EnglishFormCounts c;
    QSet<QString> headwordKeys;
    for (const EnHeadwordPos &h : headwords) {
        if (!h.yields) {
            headwordKeys.insert(wordlist::enSortKey(h.headword));
        }
    }
    struct Found {
        // By EN order key, so that the output does not depend on input order.
        std::map<QString, EnglishFormOf> bases;
        bool irregular = false;
    };
    std::map<QString, Found> found; // by lower-cased form
    auto add = [&](const QString &form, const EnHeadwordPos &h, EnPos pos, bool irregular) {
        Found &f = found[form];
        EnglishFormOf &base = f.bases[wordlist::enSortKey(h.headword)];
        base.headword = h.headword;
        base.pos.insert(pos);
        f.irregular = f.irregular || irregular;
    };
    for (const EnHeadwordPos &h : headwords) {
        const QString lower = h.headword.toLower();
        // Capitals after the first letter ("Aids" from "AIDS" stays, "McCoy"
        // does not) mark a name or an abbreviation, which takes no -s by rule.
        const bool plain = h.headword.mid(1) == lower.mid(1);
        for (const EnPos pos : h.pos) {
            for (const QString &form : exceptions.formsOf(pos, lower)) {
                add(form, h, pos, true);
            }
            if (!plain) {
                continue;
            }
            // WordNet lists a verb's -ing and -t forms beside its regular
            // past as often as instead of it ("dying", "burnt", archaic
            // "wrought"): only another past ("sang", "hid") rules out the
            // -ed, which would be another verb's ("singed", "hided").
            const bool irregular = pos == EnPos::Verb
                                       ? hasIrregularPast(lower, exceptions.formsOf(pos, lower))
                                       : exceptions.hasBase(pos, lower);
            const QList<Group> groups = regularGroups(lower, pos, irregular);
            QStringList hits;
            for (const Group &g : groups) {
                const auto hit = std::find_if(g.begin(), g.end(),
                                              [&](const QString &s) { return words.contains(s); });
                if (hit != g.end()) {
                    hits.append(*hit);
                }
            }
            // "-er" alone is often a noun of its own ("backer", "loner"); a
            // gradable adjective has both degrees.
            if (pos == EnPos::Adj && hits.size() < groups.size()) {
                hits.clear();
            }
            c.notAWord += groups.size() - hits.size();
            for (const QString &form : hits) {
                add(form, h, pos, false);
            }
        }
    }
    QList<EnglishForm> out;
    for (const auto &[lower, f] : found) {
        if (headwordKeys.contains(lower)) {
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
        for (const auto &[key, base] : f.bases) {
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
