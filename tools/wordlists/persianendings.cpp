#include "persianendings.h"

#include "wordlistrules.h"

#include <QSet>

#include <algorithm>
#include <map>

namespace vorlan::wordlists {

namespace {

bool isOneWord(const QString &s) {
    return s.size() >= 2 && std::all_of(s.begin(), s.end(), [](QChar c) {
               return wordlist::isPersianLetter(c.unicode());
           });
}

QString kindName(EndingKind kind) {
    switch (kind) {
    case EndingKind::VowelYeh:
        return QStringLiteral("-i after a final vowel or silent h (ezafe, indefinite)");
    case EndingKind::Pronoun:
        return QStringLiteral("spoken pronoun endings (-m -t -sh after a vowel, -mun -tun -shun)");
    case EndingKind::Copula:
        return QStringLiteral("spoken copula on adjectives (-e, -am)");
    case EndingKind::Object:
        break;
    }
    return QStringLiteral("spoken object marker (-o, ro)");
}

} // namespace

const QStringList &objectPronouns() {
    static const QStringList words = [] {
        QStringList out;
        for (const char16_t *w :
             {u"من", u"تو", u"ما", u"شما", u"آنها", u"این", u"اینها", u"خودم", u"خودت", u"خودش"}) {
            out.append(wordlist::normalisePersian(QString::fromUtf16(w)).value_or(QString()));
        }
        return out;
    }();
    return words;
}

QList<Ending> spokenEndings(const EndingWord &word) {
    const QString &h = word.headword;
    if (!isOneWord(h) || word.heh == FinalHeh::InDoubt) {
        return {};
    }
    QList<Ending> out;
    // After a silent ه apart, as with a joiner, then joined.
    const auto add = [&](const QString &ending, EndingKind kind) {
        if (word.heh == FinalHeh::Silent) {
            out.append({h + u' ' + ending, kind});
        }
        out.append({h + ending, kind});
    };
    const QChar last = h.back();
    // ا is a vowel; و a vowel or a consonant, and either way it takes ي
    // (آرزوي, گاوي) and the short endings (آرزوم, گاوم).
    const bool alefOrWaw = last == u'ا' || last == u'و';
    const bool silent = word.heh == FinalHeh::Silent;
    if (word.noun || word.adjective) {
        if (alefOrWaw) {
            add(QStringLiteral("ي"), EndingKind::VowelYeh);
        } else if (silent) {
            add(QStringLiteral("ي"), EndingKind::VowelYeh);
            if (word.adjective) {
                add(QStringLiteral("اي"), EndingKind::VowelYeh);
            }
        }
    }
    if (word.noun) {
        // An Arabic plural in -ات takes no -ها of its own: اطلاعات, جزئيات.
        for (const QString &p : word.plurals) {
            if (!h.endsWith(QStringLiteral("ات"))) {
                out.append({p + u'ي', EndingKind::VowelYeh});
            }
        }
        if (alefOrWaw) {
            for (const char16_t *e : {u"م", u"ت", u"ش"}) {
                add(QString::fromUtf16(e), EndingKind::Pronoun);
            }
        }
        for (const char16_t *e : {u"مون", u"تون", u"شون"}) {
            add(QString::fromUtf16(e), EndingKind::Pronoun);
        }
    }
    if (word.adjective && last != u'ه' && !alefOrWaw && last != u'آ') {
        add(QStringLiteral("ه"), EndingKind::Copula);
        add(QStringLiteral("م"), EndingKind::Copula);
    }
    if (word.noun || word.pronoun) {
        if (last == u'ا' || silent || (word.pronoun && last == u'و')) {
            // A word of its own, typed apart or joined: جا رو, جارو.
            out.append({h + QStringLiteral(" رو"), EndingKind::Object});
            out.append({h + QStringLiteral("رو"), EndingKind::Object});
        } else if (last != u'و' && last != u'ي' && last != u'آ') {
            add(QStringLiteral("و"), EndingKind::Object);
        }
    }
    return out;
}

std::vector<MadeEnding> entryEndings(const QString &headword, const PersianEntry &entry,
                                     const QStringList &plurals) {
    const auto own = [](const Sense &s) {
        return (s.origin == Origin::Wiktextract || s.origin == Origin::TeamList) && !s.reversed;
    };
    const bool pronoun = objectPronouns().contains(headword);
    const Sense &lead = entry.senses.front();
    const bool noun = own(lead) && lead.pos == PartOfSpeech::Noun && !lead.name && !pronoun;
    const bool adjective =
        (noun || (own(lead) && lead.pos == PartOfSpeech::Adj && !pronoun)) &&
        std::any_of(entry.senses.begin(), entry.senses.end(),
                    [&](const Sense &s) { return own(s) && s.pos == PartOfSpeech::Adj; });
    const unsigned nounSenses = posBit(PartOfSpeech::Noun) | posBit(PartOfSpeech::None);
    const unsigned keep = pronoun     ? posBit(PartOfSpeech::None)
                          : adjective ? nounSenses | posBit(PartOfSpeech::Adj)
                                      : nounSenses;
    std::vector<MadeEnding> out;
    for (Ending &e : spokenEndings(
             {headword, finalHeh(headword, entry.otherKeys), noun, adjective, pronoun, plurals})) {
        out.push_back({std::move(e), &headword, keep});
    }
    return out;
}

QSet<QString> knownPersianWords(const Lexicon &lexicon) {
    QSet<QString> words;
    for (const auto &[key, entry] : lexicon.english) {
        for (const Sense &s : entry.senses) {
            for (const QString &part : wordlist::withoutNotes(s.core).split(u',')) {
                if (const QString w = part.trimmed(); !w.isEmpty() && !w.contains(u' ')) {
                    words.insert(w);
                }
            }
        }
    }
    for (const auto &[headword, entry] : lexicon.persian) {
        const QStringList parts = headword.split(u' ');
        static const QStringList light = {QStringLiteral("كردن"), QStringLiteral("شدن"),
                                          QStringLiteral("دادن"), QStringLiteral("نمودن"),
                                          QStringLiteral("گشتن")};
        if (!entry.senses.empty() && parts.size() == 2 && light.contains(parts[1])) {
            words.insert(parts[0]);
        }
    }
    return words;
}

std::vector<MadeEnding> keepEndings(std::vector<MadeEnding> made,
                                    const std::function<bool(const QString &)> &taken,
                                    Report &report) {
    std::map<QString, std::vector<MadeEnding>> byForm;
    for (MadeEnding &m : made) {
        if (taken(m.ending.form)) {
            report.drop(QStringLiteral("Persian spoken or vowel ending spelt as a word or form of "
                                       "its own"));
            continue;
        }
        byForm[m.ending.form].push_back(std::move(m));
    }
    std::vector<MadeEnding> out;
    qsizetype counts[kEndingKinds] = {};
    for (auto &[form, of] : byForm) {
        if (std::any_of(of.begin(), of.end(),
                        [&](const MadeEnding &m) { return m.headword != of.front().headword; })) {
            report.drop(QStringLiteral("Persian spoken or vowel ending two words make: none"),
                        qsizetype(of.size()));
            continue;
        }
        ++counts[int(of.front().ending.kind)];
        out.push_back(std::move(of.front()));
    }
    for (int k = 0; k < kEndingKinds; ++k) {
        report.count(QStringLiteral("lookup forms: Persian, ") + kindName(EndingKind(k)),
                     counts[k]);
    }
    return out;
}

} // namespace vorlan::wordlists
