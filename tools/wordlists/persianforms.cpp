#include "persianforms.h"
#include "sourceparsers.h"

#include "wordlistrules.h"

#include <QSet>

#include <algorithm>

namespace vorlan::wordlists {

namespace {

bool hasLatin(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        return c.script() == QChar::Script_Latin && c.isLetterOrNumber();
    });
}

// Fathatan to sukun, the small high marks and superscript alef: a key
// written with them is a vocalised copy of another key.
bool hasHarakat(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x064B && u <= 0x065F) || u == 0x0670;
    });
}

bool isPersianWordText(QStringView s) {
    return wordlist::containsPersianLetter(s) && std::all_of(s.begin(), s.end(), [](QChar c) {
               return c == u' ' || wordlist::isPersianLetter(c.unicode());
           });
}

qsizetype words(QStringView s) {
    return s.count(u' ') + 1;
}

// The progressive puts a form of داشتن before the verb's own form, which the
// keys list as well; the phrase adds a record a word catcher never asks for.
bool isProgressive(const QString &form, const QString &lemma) {
    static const QStringList have = {
        QStringLiteral("دارم"),   QStringLiteral("داري"),   QStringLiteral("دارد"),
        QStringLiteral("داره"),   QStringLiteral("داريم"),  QStringLiteral("داريد"),
        QStringLiteral("دارين"),  QStringLiteral("دارند"),  QStringLiteral("دارن"),
        QStringLiteral("داشتم"),  QStringLiteral("داشتي"),  QStringLiteral("داشت"),
        QStringLiteral("داشتيم"), QStringLiteral("داشتيد"), QStringLiteral("داشتين"),
        QStringLiteral("داشتند"), QStringLiteral("داشتن")};
    const qsizetype space = form.indexOf(u' ');
    return space > 0 && have.contains(form.first(space)) && !lemma.startsWith(form.first(space));
}

// The 2022 extract's verb keys hold the conjugation table's person labels
// and copula as well as its forms ("او", "آنها", "هستند"): words of their
// own, no forms of the verb.
bool isTableWord(const QString &form) {
    static const QStringList words = [] {
        QStringList out;
        for (const char16_t *w :
             {u"من",   u"تو",    u"او",    u"وی",    u"ما",    u"شما",   u"آن",   u"آنها",
              u"آنان", u"ایشان", u"اون",   u"اونا",  u"اونها", u"شماها", u"هستم", u"هستی",
              u"هست",  u"هستیم", u"هستید", u"هستین", u"هستند", u"است",   u"نیست"}) {
            out.append(wordlist::normalisePersian(QString::fromUtf16(w)).value_or(QString()));
        }
        return out;
    }();
    return words.contains(form);
}

FaFormKind kindOf(const QString &lemma, const QString &form, bool noun, bool verb) {
    if (noun && form == lemma + QStringLiteral(" ها")) {
        return FaFormKind::Plural;
    }
    // An infinitive is its past stem and -ن; the past stem ends in ت or د.
    if (verb && lemma.size() >= 3 &&
        (lemma.endsWith(QStringLiteral("تن")) || lemma.endsWith(QStringLiteral("دن")))) {
        const QString stem = lemma.chopped(1);
        if (form.startsWith(stem)) {
            static const QStringList personal = {QString(),
                                                 QStringLiteral("م"),
                                                 QStringLiteral("ي"),
                                                 QStringLiteral("يم"),
                                                 QStringLiteral("يد"),
                                                 QStringLiteral("ند"),
                                                 QStringLiteral("ين")};
            const QString ending = form.mid(stem.size());
            if (personal.contains(ending)) {
                return FaFormKind::Past;
            }
            if (ending == u"ه") {
                return FaFormKind::PastParticiple;
            }
        }
    }
    return FaFormKind::Other;
}

// The endings written after a joiner: after a silent ه, and after a past participle.
const QStringList &hehEndings() {
    static const QStringList e = {
        QStringLiteral("ام"),  QStringLiteral("ات"),  QStringLiteral("اش"),  QStringLiteral("اي"),
        QStringLiteral("ايم"), QStringLiteral("ايد"), QStringLiteral("اند"), QStringLiteral("مان"),
        QStringLiteral("تان"), QStringLiteral("شان"), QStringLiteral("مون"), QStringLiteral("تون"),
        QStringLiteral("شون")};
    return e;
}
const QStringList &perfectEndings() {
    static const QStringList e = {
        QStringLiteral("ام"),  QStringLiteral("اي"),  QStringLiteral("ايم"), QStringLiteral("ايد"),
        QStringLiteral("اين"), QStringLiteral("اند"), QStringLiteral("ان")};
    return e;
}

// The standard spelling of a key the extract wrote without its joiner,
// where the split is certain: the plural and what follows it (كتابها,
// چرخريسكها of چرخ‌ريسك), an ending after a silent ه (خانهام), a verb's
// می or نمی before a word that is not the lemma's (ميروم; ميراند stays a
// form of ميراندن), and a past participle's personal ending (كردهام).
// Empty where there is none.
QString joinerSpelling(const PersianLemma &lemma, FinalHeh heh, const QString &form) {
    for (const QString &base : {lemma.headword, lemma.joined}) {
        if (!base.isEmpty() && form.startsWith(base + QStringLiteral("ها"))) {
            return lemma.headword + u' ' + form.mid(base.size());
        }
    }
    if (heh == FinalHeh::Silent && form.startsWith(lemma.headword) &&
        hehEndings().contains(form.mid(lemma.headword.size()))) {
        return lemma.headword + u' ' + form.mid(lemma.headword.size());
    }
    if (!lemma.verb) {
        return {};
    }
    const QStringList lemmaWords = lemma.headword.split(u' ');
    QStringList words = form.split(u' ');
    for (QString &w : words) {
        if (lemmaWords.contains(w)) {
            continue;
        }
        for (const QString &prefix : {QStringLiteral("نمي"), QStringLiteral("مي")}) {
            const bool lemmaHasIt =
                std::any_of(lemmaWords.begin(), lemmaWords.end(),
                            [&](const QString &l) { return l.startsWith(prefix); });
            if (w.startsWith(prefix) && w.size() >= prefix.size() + 2 && !lemmaHasIt) {
                w.insert(prefix.size(), u' ');
                return words.join(u' ');
            }
        }
    }
    // The past participle is the infinitive's stem and ه: كرده of كردن.
    const QString &infinitive = lemmaWords.back();
    if (infinitive.size() < 3 || !infinitive.endsWith(u'ن')) {
        return {};
    }
    const QString participle = infinitive.chopped(1) + u'ه';
    QString &last = words.back();
    for (const QString &stem : {participle, u'ن' + participle}) {
        if (last.startsWith(stem) && perfectEndings().contains(last.mid(stem.size()))) {
            last.insert(stem.size(), u' ');
            return words.join(u' ');
        }
    }
    return {};
}

// A key that splits a one-word lemma after a preverb of two or three letters
// ("بر گشتهاين" of برگشتن) is spelt as the lemma is; می and نمی before the
// verb are no such split, nor a word that is most of the lemma (رفت آمد).
QString withoutStraySpace(const QString &lemma, const QString &form) {
    const qsizetype space = form.indexOf(u' ');
    if (lemma.contains(u' ') || space < 2 || space > 3 || lemma.size() - space < 3 ||
        !lemma.startsWith(form.first(space)) || form.first(space) == u"مي" ||
        form.first(space) == u"نمي") {
        return form;
    }
    return QString(form).remove(space, 1);
}

// The extract's tables put a compound verb's prefix on a word before the
// verb: "ببه كار بره" of به كار بردن, "ببو كنه" of بو كردن. "بدست آوردن"
// stays: به دست written joined.
bool hasMisplacedPrefix(const QString &lemma, const QString &form) {
    const QStringList words = lemma.split(u' ');
    for (const QString &w : form.split(u' ')) {
        for (qsizetype i = 0; i + 1 < words.size(); ++i) {
            for (const char16_t *p : {u"ب", u"ن", u"مي", u"نمي"}) {
                if (w == QString::fromUtf16(p) + words[i] &&
                    !(i > 0 && words[i - 1] == u"به" && w.size() == words[i].size() + 1)) {
                    return true;
                }
            }
        }
    }
    return false;
}

QString negativeForm(const PersianLemma &lemma, const QString &form) {
    QStringList words = form.split(u' ');
    QString &verb = words.back();
    const qsizetype at = lemma.preverb > 0 && verb.startsWith(lemma.headword.first(lemma.preverb))
                             ? lemma.preverb
                             : 0;
    if (verb.size() <= at + 1 || verb[at] == u'ا' || verb[at] == u'آ') {
        return {};
    }
    verb.insert(at, u'ن');
    return words.join(u' ');
}

// Whether a verb form ends in a written personal ending (م ي د يم يد ند,
// or a past's ت): the extract also lists every verb's spoken endings
// (مي پويه, مي رهن), which most verbs are never given.
bool writtenEnding(const QString &form) {
    return form.endsWith(u'م') || form.endsWith(u'ي') || form.endsWith(u'د') || form.endsWith(u'ت');
}

// The negative of a form with مي (a present, or a past said as going on) or
// of a subjunctive or imperative with ب: ن before مي or in place of ب, after
// a preverb (نمي خواهم, نخواهم, نخواه, برنمي گردم); only on a written
// ending. None with ب for a verb that itself begins with ب, whose forms
// cannot be told from its stem.
QString negativePresent(const PersianLemma &lemma, const QString &form,
                        const QSet<QString> &forms) {
    const QString preverb = lemma.headword.first(lemma.preverb);
    const QString verb = lemma.headword.mid(lemma.preverb);
    if (!form.startsWith(preverb) || verb.startsWith(QStringLiteral("مي"))) {
        return {};
    }
    const QString rest = form.mid(preverb.size());
    if (rest.startsWith(QStringLiteral("مي")) && rest.size() > 3) {
        // One verb after مي: not a participle with its helper (مي افراشته بود).
        return rest.indexOf(u' ', 3) < 0 && writtenEnding(rest) ? preverb + u'ن' + rest : QString();
    }
    if (verb.startsWith(u'ب') || !rest.startsWith(u'ب') || rest.size() < 3 || rest.contains(u' ')) {
        return {};
    }
    const QString stem = rest.mid(1);
    if (stem.startsWith(u'آ') || stem.startsWith(u'ا')) {
        return {}; // بياموزد, not بآموزد, is the subjunctive
    }
    // Only a ب the verb's present lacks is the subjunctive's: بخواهم beside
    // مي خواهم, بيايم beside مي آيم, بيفتم beside مي افتم, and the
    // imperative بگو beside مي گويد.
    QStringList present = {stem};
    if (stem.startsWith(QStringLiteral("يا"))) {
        present << u'آ' + stem.mid(2);
    } else if (stem.startsWith(u'ي')) {
        present << u'ا' + stem.mid(1);
    }
    for (const QString &p : present) {
        for (const QString &mi : {QStringLiteral("مي "), QStringLiteral("مي")}) {
            const QString m = preverb + mi + p;
            // A bare stem beside its -د, unless it is a spoken -ن plural
            // (بزيبن beside مي زيبند and مي زيبد).
            const bool spokenPlural = m.endsWith(u'ن') && forms.contains(m.chopped(1) + u'د');
            if ((writtenEnding(m) && forms.contains(m)) ||
                (!spokenPlural &&
                 (forms.contains(m + u'د') || forms.contains(m + QStringLiteral("يد"))))) {
                return preverb + u'ن' + stem;
            }
        }
    }
    return {};
}

} // namespace

QList<PersianFormKey> persianFormKeys(const PersianLemma &lemma, const QStringList &keys,
                                      QList<FaKeySkip> *skipped) {
    QList<PersianFormKey> out;
    QStringList seen;
    const FinalHeh heh = finalHeh(lemma.headword, keys);
    auto skip = [&](FaKeySkip why) {
        if (skipped) {
            skipped->append(why);
        }
    };
    for (const QString &raw : keys) {
        const QString key = raw.trimmed();
        if (key == u"Term?") {
            skip(FaKeySkip::Placeholder);
            continue;
        }
        if (hasLatin(key)) {
            skip(FaKeySkip::Romanised);
            continue;
        }
        if (hasHarakat(key)) {
            skip(FaKeySkip::Vocalised);
            continue;
        }
        if (key.contains(QChar(0x0640))) {
            skip(FaKeySkip::Affix);
            continue;
        }
        const auto normalised = wordlist::normalisePersian(key);
        // One letter is an enclitic ("ه" of است), not a word.
        if (!normalised || !isPersianWordText(*normalised) || normalised->size() < 2) {
            skip(FaKeySkip::NotAWord);
            continue;
        }
        const QString form = *normalised;
        if (form == lemma.headword) {
            skip(FaKeySkip::SameAsLemma);
            continue;
        }
        if (seen.contains(form)) {
            skip(FaKeySkip::Repeated);
            continue;
        }
        if (words(form) > words(lemma.headword) + 1) {
            skip(FaKeySkip::LongPhrase);
            continue;
        }
        if (isProgressive(form, lemma.headword)) {
            skip(FaKeySkip::Progressive);
            continue;
        }
        if (lemma.verb && isTableWord(form)) {
            skip(FaKeySkip::TableWord);
            continue;
        }
        if (lemma.verb && hasMisplacedPrefix(lemma.headword, form)) {
            skip(FaKeySkip::MisplacedPrefix);
            continue;
        }
        seen.append(form);
        // Both spellings, the key's own first: with the joiner as a space,
        // and typed without it.
        QStringList spellings;
        if (key.contains(QChar(0x200C))) {
            spellings = {
                form,
                wordlist::normalisePersian(QString(key).remove(QChar(0x200C))).value_or(QString())};
        } else {
            const QString joined = withoutStraySpace(lemma.headword, form);
            spellings = {joined, joinerSpelling(lemma, heh, joined)};
        }
        spellings.removeDuplicates();
        const QString &standard =
            spellings.size() < 2 || spellings[1].isEmpty() || key.contains(QChar(0x200C))
                ? spellings[0]
                : spellings[1];
        const FaFormKind kind = kindOf(lemma.headword, standard, lemma.noun, lemma.verb);
        for (const QString &s : spellings) {
            if (!s.isEmpty() && s != lemma.headword && s != lemma.joined &&
                (s == form || !seen.contains(s))) {
                if (s != form) {
                    seen.append(s);
                }
                out.append({s, kind});
            }
        }
        if (kind == FaFormKind::Past || kind == FaFormKind::PastParticiple) {
            if (const QString no = negativeForm(lemma, standard);
                !no.isEmpty() && !seen.contains(no)) {
                seen.append(no);
                out.append({no, FaFormKind::Other});
            }
        }
    }
    // The presents' negatives once every key is known, after the keys.
    if (lemma.verb) {
        const QSet<QString> forms(seen.begin(), seen.end());
        for (const PersianFormKey &k : QList(out)) {
            if (k.kind != FaFormKind::Other) {
                continue;
            }
            if (const QString no = negativePresent(lemma, k.form, forms);
                !no.isEmpty() && !seen.contains(no) && no != lemma.headword) {
                seen.append(no);
                out.append({no, FaFormKind::Other, true});
            }
        }
    }
    return out;
}

FinalHeh finalHeh(const QString &noun, const QStringList &keys) {
    if (!noun.endsWith(u'ه')) {
        return FinalHeh::None;
    }
    bool sounded = false;
    bool silent = false;
    // A form's romanisation shows the word before its ending: xâne-hâ,
    // towjíham (توجيهم); marks go, so š is s.
    static const QStringList endings = {QStringLiteral("amun"), QStringLiteral("atun"),
                                        QStringLiteral("asun"), QStringLiteral("eman"),
                                        QStringLiteral("etan"), QStringLiteral("esan"),
                                        QStringLiteral("am"),   QStringLiteral("at"),
                                        QStringLiteral("as"),   QStringLiteral("an")};
    for (const QString &key : keys) {
        QString k =
            key.trimmed().toLower().section(u'-', 0, 0).normalized(QString::NormalizationForm_D);
        if (!hasLatin(k) || k.contains(u' ') || k.contains(u'(')) {
            continue;
        }
        k.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
        for (const QString &e : endings) {
            if (k.endsWith(e) && k.size() > e.size() + 2 && k[k.size() - e.size() - 1] == u'h') {
                k.chop(e.size());
                break;
            }
        }
        sounded = sounded || k.endsWith(u'h');
        silent = silent || k.endsWith(u'e') || k.endsWith(u'ə') || k.endsWith(u'a');
    }
    if (sounded || silent) {
        return sounded && silent ? FinalHeh::InDoubt
               : sounded         ? FinalHeh::Sounded
                                 : FinalHeh::Silent;
    }
    const QChar before = noun.size() > 1 ? noun[noun.size() - 2] : QChar();
    if (noun.size() == 2 || before == u'و') {
        return FinalHeh::InDoubt;
    }
    return before == u'ا' ? FinalHeh::Sounded : FinalHeh::Silent;
}

namespace {

// The noun with each ending: after a silent ه apart, as with a joiner,
// then joined; after any other letter joined.
QStringList withEndings(const QString &noun, FinalHeh heh, const QStringList &endings) {
    if (noun.size() < 2 || noun.contains(u' ') || !isPersianWordText(noun) ||
        heh == FinalHeh::InDoubt) {
        return {};
    }
    QStringList out;
    for (const QString &e : endings) {
        if (heh == FinalHeh::Silent) {
            out << noun + u' ' + e;
        }
        out << noun + e;
    }
    return out;
}

// A final و or ي may be a vowel or a consonant, and آ is too rare.
bool endingInDoubt(const QString &noun) {
    return noun.endsWith(u'و') || noun.endsWith(u'ي') || noun.endsWith(u'آ');
}

} // namespace

QStringList possessiveForms(const QString &noun, FinalHeh heh) {
    if (endingInDoubt(noun)) {
        return {};
    }
    if (noun.endsWith(u'ا')) {
        return withEndings(noun, heh,
                           {QStringLiteral("يم"), QStringLiteral("يت"), QStringLiteral("يش")});
    }
    return withEndings(
        noun, heh,
        heh == FinalHeh::Silent
            ? QStringList{QStringLiteral("ام"), QStringLiteral("ات"), QStringLiteral("اش")}
            : QStringList{QStringLiteral("م"), QStringLiteral("ت"), QStringLiteral("ش")});
}

QStringList indefiniteForms(const QString &noun, FinalHeh heh) {
    if (endingInDoubt(noun)) {
        return {};
    }
    return withEndings(noun, heh,
                       {noun.endsWith(u'ا')       ? QStringLiteral("يي")
                        : heh == FinalHeh::Silent ? QStringLiteral("اي")
                                                  : QStringLiteral("ي")});
}

namespace {

// An Arabic plural in -ات takes no -ها: one in -يات (ادبيات; حيات and بيات
// are singulars), or one whose English is a plural ("Exports": صادرات).
bool isArabicPlural(const QString &noun, QStringView english) {
    return (noun.size() > 4 && noun.endsWith(QStringLiteral("يات"))) ||
           (noun.endsWith(QStringLiteral("ات")) && english.endsWith(u's') &&
            !english.endsWith(u"ss"));
}

} // namespace

QStringList pluralForms(const QString &noun, QStringView english) {
    return isArabicPlural(noun, english)
               ? QStringList()
               : withEndings(noun, FinalHeh::Silent, {QStringLiteral("ها")});
}

QStringList pluralPossessiveForms(const QString &noun, QStringView english) {
    if (pluralForms(noun, english).isEmpty()) {
        return {};
    }
    // One owner only: the three plural owners doubled the records again (some
    // 34,000) for words the coverage lists never asked for.
    return withEndings(noun, FinalHeh::Silent,
                       {QStringLiteral("هايم"), QStringLiteral("هايت"), QStringLiteral("هايش")});
}

QString faFormOpening(FaFormKind kind) {
    switch (kind) {
    case FaFormKind::Plural:
        return QStringLiteral("Plural: ");
    case FaFormKind::Past:
        return QStringLiteral("Past: ");
    case FaFormKind::PastParticiple:
        return QStringLiteral("Past participle: ");
    case FaFormKind::Other:
        break;
    }
    return QStringLiteral("(form) ");
}

QList<ColloquialForm> parseColloquialTable(const QString &text, qsizetype *bad) {
    QList<ColloquialForm> out;
    qsizetype rejected = 0;
    for (const QStringList &fields : tableRows(text)) {
        const auto form = wordlist::normalisePersian(fields.value(0).trimmed());
        const auto standard = wordlist::normalisePersian(fields.value(1).trimmed());
        const QString english = fields.value(2).trimmed();
        if (fields.size() < 2 || fields.size() > 3 || !form || !standard ||
            !isPersianWordText(*form) || !isPersianWordText(*standard) || *form == *standard ||
            (fields.size() == 3 && (english.isEmpty() || !hasLatin(english)))) {
            ++rejected;
            continue;
        }
        out.append({*form, *standard, english});
    }
    if (bad) {
        *bad = rejected;
    }
    return out;
}

} // namespace vorlan::wordlists
