#include "persianforms.h"

#include "wordlistrules.h"

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
    if (noun && (form == lemma + QStringLiteral("ها") || form == lemma + QStringLiteral(" ها"))) {
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

QString joinerSpelling(const QString &lemma, const QString &form, bool verb) {
    const QString plural = QStringLiteral("ها");
    if (form == lemma + plural) {
        return lemma + u' ' + plural;
    }
    if (!verb) {
        return {};
    }
    const QStringList lemmaWords = lemma.split(u' ');
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
    return {};
}

} // namespace

QList<PersianFormKey> persianFormKeys(const QString &lemma, const QStringList &keys, bool noun,
                                      bool verb, QList<FaKeySkip> *skipped) {
    QList<PersianFormKey> out;
    QStringList seen;
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
        if (form == lemma) {
            skip(FaKeySkip::SameAsLemma);
            continue;
        }
        if (seen.contains(form)) {
            skip(FaKeySkip::Repeated);
            continue;
        }
        if (words(form) > words(lemma) + 1) {
            skip(FaKeySkip::LongPhrase);
            continue;
        }
        if (isProgressive(form, lemma)) {
            skip(FaKeySkip::Progressive);
            continue;
        }
        if (verb && isTableWord(form)) {
            skip(FaKeySkip::TableWord);
            continue;
        }
        seen.append(form);
        const FaFormKind kind = kindOf(lemma, form, noun, verb);
        out.append({form, kind});
        // The extract often loses the zero-width joiner ("چشمها", "میشود");
        // where the form is the lemma and -ها, or a verb's form with می or
        // نمی joined to a word that is not the lemma's, the split is certain
        // and the joiner's spelling, written with a space in the lists, is a
        // form too. A verb that itself begins with می (میراندن)
        // keeps it: "میراند" is no form of راندن's.
        const QString split = joinerSpelling(lemma, form, verb);
        if (!split.isEmpty() && !seen.contains(split) && split != lemma) {
            seen.append(split);
            out.append({split, kindOf(lemma, split, noun, verb)});
        }
    }
    return out;
}

QStringList possessiveForms(const QString &noun) {
    if (noun.size() < 2 || noun.contains(u' ') || !isPersianWordText(noun)) {
        return {};
    }
    const QChar last = noun.back();
    const QChar before = noun[noun.size() - 2];
    if (last == u'و' || last == u'ي' || last == u'آ') {
        return {};
    }
    if (last == u'ا') {
        return {noun + QStringLiteral("يم"), noun + QStringLiteral("يت"),
                noun + QStringLiteral("يش")};
    }
    // A final ه after a consonant is a vowel sign (خانه); after ا or و it is
    // sounded (راه, كوه) and takes the ending as any consonant does.
    if (last == u'ه' && before != u'ا' && before != u'و') {
        if (noun.size() == 2) {
            return {};
        }
        return {noun + QStringLiteral(" ام"), noun + QStringLiteral(" ات"),
                noun + QStringLiteral(" اش")};
    }
    return {noun + u'م', noun + u'ت', noun + u'ش'};
}

QString indefiniteForm(const QString &noun) {
    if (noun.size() < 2 || noun.contains(u' ') || !isPersianWordText(noun)) {
        return {};
    }
    const QChar last = noun.back();
    const QChar before = noun[noun.size() - 2];
    if (last == u'ي' || last == u'آ' || last == u'و') {
        return {};
    }
    if (last == u'ا') {
        return noun + QStringLiteral("يي");
    }
    if (last == u'ه' && before != u'ا' && before != u'و') {
        return noun.size() == 2 ? QString() : noun + QStringLiteral(" اي");
    }
    return noun + u'ي';
}

QString pluralForm(const QString &noun) {
    if (noun.size() < 2 || noun.contains(u' ') || !isPersianWordText(noun)) {
        return {};
    }
    return noun + QStringLiteral(" ها");
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
    for (const QString &raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const QStringList fields = line.split(u'\t');
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
