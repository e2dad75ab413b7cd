#include "persianverbs.h"

#include "persianforms.h"
#include "sourceparsers.h"
#include "stages.h"
#include "wordlistrules.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace vorlan::wordlists {

namespace {

std::optional<QString> oneWord(const QString &field) {
    const auto w = wordlist::normalisePersian(field.trimmed());
    if (!w || w->isEmpty() || !std::all_of(w->begin(), w->end(), [](QChar c) {
            return wordlist::isPersianLetter(c.unicode());
        })) {
        return std::nullopt;
    }
    return w;
}

bool isVerbSense(const Sense &s) {
    return s.pos == PartOfSpeech::VerbT || s.pos == PartOfSpeech::VerbI;
}

} // namespace

QList<PresentStem> parsePresentStems(const QString &text, qsizetype *bad) {
    QList<PresentStem> out;
    qsizetype rejected = 0;
    for (const QStringList &fields : tableRows(text)) {
        const auto infinitive = oneWord(fields.value(0));
        const auto stem = oneWord(fields.value(1));
        if (fields.size() != 2 || !infinitive || !stem || infinitive->size() < 4 ||
            !(infinitive->endsWith(QStringLiteral("دن")) ||
              infinitive->endsWith(QStringLiteral("تن")))) {
            ++rejected;
            continue;
        }
        out.append({*infinitive, *stem});
    }
    if (bad) {
        *bad = rejected;
    }
    return out;
}

qsizetype persianPreverb(const Lexicon &lexicon, const QString &verb) {
    for (const QString &p : {QStringLiteral("بر"), QStringLiteral("در"), QStringLiteral("فرو"),
                             QStringLiteral("فرا"), QStringLiteral("باز"), QStringLiteral("وا")}) {
        const auto rest = lexicon.persian.find(verb.mid(p.size()));
        if (verb.startsWith(p) && rest != lexicon.persian.end() &&
            std::any_of(rest->second.senses.begin(), rest->second.senses.end(), isVerbSense)) {
            return p.size();
        }
    }
    return 0;
}

QStringList presentForms(const QString &stem, qsizetype preverb) {
    const QString pre = stem.first(preverb);
    const QString verb = stem.mid(preverb);
    if (verb.isEmpty()) {
        return {};
    }
    const QString glide =
        verb.endsWith(u'ا') || verb.endsWith(u'آ') ? QStringLiteral("ي") : QString();
    const auto prefixed = [&](QChar p) {
        if (verb.startsWith(u'آ')) {
            return pre + p + QStringLiteral("يا") + verb.mid(1);
        }
        if (verb.startsWith(u'ا') && !verb.startsWith(QStringLiteral("اي"))) {
            return pre + p + u'ي' + verb.mid(1);
        }
        return pre + p + verb;
    };
    const QString subjunctive = preverb > 0 ? stem : prefixed(u'ب');
    const QString negative = prefixed(u'ن');
    static const QStringList persons = {QStringLiteral("م"),  QStringLiteral("ي"),
                                        QStringLiteral("د"),  QStringLiteral("يم"),
                                        QStringLiteral("يد"), QStringLiteral("ند")};
    QStringList out;
    for (const QString &mi : {QStringLiteral("مي"), QStringLiteral("نمي")}) {
        for (const QString &e : persons) {
            out << pre + mi + u' ' + verb + glide + e << pre + mi + verb + glide + e;
        }
    }
    for (const QString &mood : {subjunctive, negative}) {
        for (const QString &e : persons) {
            out << mood + glide + e;
        }
        out << mood;
    }
    return out;
}

QSet<QString> presentStemSpellings(const Lexicon &lexicon, const QByteArray &table) {
    QSet<QString> out;
    for (const PresentStem &row : parsePresentStems(QString::fromUtf8(table))) {
        for (const QString &form :
             presentForms(row.stem, persianPreverb(lexicon, row.infinitive))) {
            out.insert(form);
        }
    }
    return out;
}

qsizetype addPresentStemForms(Lexicon &lexicon, const QByteArray &table, const QSet<QString> &known,
                              Report &report, QSet<QString> *madeKeys) {
    qsizetype bad = 0;
    const QList<PresentStem> rows = parsePresentStems(QString::fromUtf8(table), &bad);
    report.drop(QStringLiteral("present-stem table: line not of the form INFINITIVE, STEM"), bad);
    // By form, the infinitives it is made on, in the table's order: two verbs
    // of one stem lead to both, as the extract's keys do.
    std::map<QString, std::vector<const QString *>> made;
    qsizetype taken = 0;
    for (const PresentStem &row : rows) {
        const auto verb = lexicon.persian.find(row.infinitive);
        const std::vector<Sense> *senses =
            verb == lexicon.persian.end() ? nullptr : &verb->second.senses;
        const qsizetype preverb = persianPreverb(lexicon, row.infinitive);
        if (!senses || std::none_of(senses->begin(), senses->end(), isVerbSense) ||
            std::all_of(
                senses->begin(), senses->end(),
                [](const Sense &s) { return isDatedLabel(s.label) || isRareLabel(s.label); }) ||
            !row.stem.startsWith(row.infinitive.first(preverb))) {
            report.drop(QStringLiteral("present-stem table: no current verb of the lists, or a "
                                       "stem without the verb's preverb"));
            continue;
        }
        for (const QString &form : presentForms(row.stem, preverb)) {
            const auto own = lexicon.persian.find(form);
            if ((own != lexicon.persian.end() && !own->second.senses.empty()) ||
                known.contains(form)) {
                ++taken;
                continue;
            }
            std::vector<const QString *> &of = made[form];
            if (std::find(of.begin(), of.end(), &verb->first) == of.end()) {
                of.push_back(&verb->first);
            }
        }
    }
    report.drop(QStringLiteral("present form that is a record or a known word already"), taken);
    qsizetype added = 0;
    for (const auto &[form, verbs] : made) {
        std::vector<Sense> senses;
        for (const QString *verb : verbs) {
            bool first = true;
            for (const Sense &s : lexicon.persian.at(*verb).senses) {
                Sense f;
                f.core = first ? faFormOpening(FaFormKind::Other) + fa2enText(s) : fa2enText(s);
                f.origin = s.origin;
                f.seq = s.seq;
                senses.push_back(f);
                first = false;
            }
        }
        if (senses.front().core.size() > wordlist::kMaxFa2EnMeaning) {
            report.drop(QStringLiteral("lookup form whose first sense does not fit its list"));
            continue;
        }
        lexicon.persian[form].senses = std::move(senses);
        ++added;
        if (madeKeys) {
            madeKeys->insert(form);
        }
    }
    report.count(QStringLiteral("lookup forms: Persian, present tenses by the team's stems"),
                 added);
    return added;
}

} // namespace vorlan::wordlists
