#include "forms.h"

#include "britishspellings.h"
#include "converter.h"
#include "normalise.h"
#include "partofspeech.h"
#include "persianendings.h"
#include "persianverbs.h"
#include "stages.h"
#include "wordlistrules.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

namespace vorlan::wordlists {

namespace {

std::optional<EnPos> enPos(PartOfSpeech p) {
    switch (p) {
    case PartOfSpeech::Noun:
        return EnPos::Noun;
    case PartOfSpeech::VerbT:
    case PartOfSpeech::VerbI:
        return EnPos::Verb;
    case PartOfSpeech::Adj:
        return EnPos::Adj;
    case PartOfSpeech::Adv:
        return EnPos::Adv;
    case PartOfSpeech::Pref:
    case PartOfSpeech::None:
        break;
    }
    return std::nullopt;
}

// A form's sense: text already as written, so the writer adds no marker or
// label of its own.
Sense formSense(const Sense &of, const QString &text) {
    Sense s;
    s.core = text;
    s.origin = of.origin;
    s.order = of.order;
    s.seq = of.seq;
    return s;
}

// Senses as EN2FA writes them, markers opening their groups and `opening`
// before the first.
std::vector<Sense> writtenEnglish(const std::vector<Sense> &senses, const QString &opening) {
    std::vector<Sense> out;
    std::optional<PartOfSpeech> group;
    for (const Sense &s : senses) {
        const bool opens = !group || *group != s.pos;
        group = s.pos;
        QString text = en2faText(s);
        if (opens && s.pos != PartOfSpeech::None) {
            text = markerText(s.pos) + QStringLiteral(": ") + text;
        }
        if (out.empty()) {
            text = opening + text;
        }
        out.push_back(formSense(s, text));
    }
    return out;
}

// A Persian infinitive, or a phrase ending in one: "نوشيدن", "رزرو كردن".
// Four letters at least, so that "بدن" (body) is none.
bool looksInfinitive(const QString &persian) {
    const QString last = persian.section(u' ', -1);
    return (last.endsWith(QStringLiteral("دن")) || last.endsWith(QStringLiteral("تن"))) &&
           (last.size() >= 4 || persian.contains(u' '));
}

// The senses of the base that the form is a form of: "Bore" is the past of
// "bear" the verb, never the animal, and "Booking" no book. A source may file
// a verb's translation under its noun ("Drink" (.n): نوشيدن): an infinitive
// stays with a verb's forms, after the verb's own senses. Where the base
// has no sense of the form's part of speech, the form keeps every part of
// speech. Senses without a marker go where there are marked ones: they are
// names, pronouns and the like as often as not ("Turkey" تركيه is no sense
// of "Turkeys").
std::vector<Sense> englishFormSenses(const EnglishEntry &base, const std::set<EnPos> &formPos) {
    const auto marked = [](const Sense &s) { return s.pos != PartOfSpeech::None; };
    const auto ofForm = [&](const Sense &s) {
        const auto p = enPos(s.pos);
        return (p && formPos.count(*p) != 0) ||
               (formPos.count(EnPos::Verb) != 0 && s.pos == PartOfSpeech::Noun &&
                looksInfinitive(s.core));
    };
    const bool anyMarked = std::any_of(base.senses.begin(), base.senses.end(), marked);
    const bool anyOfForm = std::any_of(base.senses.begin(), base.senses.end(), ofForm);
    std::vector<Sense> senses;
    std::copy_if(base.senses.begin(), base.senses.end(), std::back_inserter(senses),
                 [&](const Sense &s) { return anyOfForm ? ofForm(s) : !anyMarked || marked(s); });
    std::stable_partition(senses.begin(), senses.end(), [&](const Sense &s) {
        const auto p = enPos(s.pos);
        return p && formPos.count(*p) != 0;
    });
    return writtenEnglish(senses, en2faOpening(base.headword));
}

// No sense that translates the word itself: senses reversed from the other
// direction, proper names ("آمد" Amida) and CLDR's names of pictures
// ("Books" چند كتاب, the emoji's "a few books"). Such an entry yields to a
// lookup form of its spelling, its senses following the form's.
bool yieldsToForm(const std::vector<Sense> &senses) {
    return !senses.empty() && std::all_of(senses.begin(), senses.end(), [](const Sense &s) {
        return s.reversed || s.name || s.origin == Origin::Cldr;
    });
}

// The writer cuts a meaning at whole senses; a form whose first sense, with
// its opening, is too long would be no record.
bool fits(const std::vector<Sense> &senses, qsizetype limit) {
    return !senses.empty() && senses.front().core.size() <= limit;
}

void addEnglishForms(Lexicon &lexicon, const FormSources &sources, Report &report) {
    if (sources.englishWords.size() == 0) {
        return;
    }
    QList<EnHeadwordPos> headwords;
    for (const auto &[key, entry] : lexicon.english) {
        if (entry.senses.empty()) {
            continue;
        }
        EnHeadwordPos h{entry.headword, {}, yieldsToForm(entry.senses)};
        for (const Sense &s : entry.senses) {
            if (const auto p = enPos(s.pos)) {
                h.pos.insert(*p);
            }
        }
        h.name = std::all_of(entry.senses.begin(), entry.senses.end(),
                             [](const Sense &s) { return s.name; });
        // A headword whose sources give no part of speech ("Tree") has the
        // ones WordNet links confirm for its senses.
        const auto linked = lexicon.linkedPos.find(key);
        if (h.pos.empty() && linked != lexicon.linkedPos.end()) {
            for (const PartOfSpeech l : linked->second) {
                if (const auto p = enPos(l)) {
                    h.pos.insert(*p);
                }
            }
        }
        headwords.append(h);
    }
    EnglishFormCounts counts;
    const QList<EnglishForm> forms = englishForms(headwords, sources.englishWords, sources.wordnet,
                                                  sources.wordnetLemmas, &counts);
    qsizetype added = 0;
    qsizetype yielded = 0;
    // All meanings first: an entry that yields to a form may be a base too.
    std::vector<std::pair<QString, std::vector<Sense>>> made;
    for (const EnglishForm &f : forms) {
        std::vector<Sense> senses;
        for (const EnglishFormOf &b : f.bases) {
            const EnglishEntry &base = lexicon.english.at(wordlist::enSortKey(b.headword));
            const std::vector<Sense> part = englishFormSenses(base, b.pos);
            senses.insert(senses.end(), part.begin(), part.end());
        }
        if (!fits(senses, wordlist::kMaxEn2FaMeaning)) {
            report.drop(QStringLiteral("lookup form whose first sense does not fit its list"));
            continue;
        }
        const auto own = lexicon.english.find(wordlist::enSortKey(f.form));
        if (own != lexicon.english.end() && !own->second.senses.empty()) {
            ++yielded;
            const std::vector<Sense> rest = writtenEnglish(own->second.senses, {});
            senses.insert(senses.end(), rest.begin(), rest.end());
        }
        made.emplace_back(f.form, std::move(senses));
    }
    for (auto &[form, senses] : made) {
        ++added;
        // An emptied entry (its senses all cleaned away) is no headword.
        EnglishEntry &entry = lexicon.english[wordlist::enSortKey(form)];
        entry.headword = form;
        entry.senses = std::move(senses);
    }
    report.count(
        QStringLiteral("lookup forms: English, leading a headword of names or reversed senses"),
        yielded);
    report.count(QString::fromLatin1(kEnglishFormsCount), added);
    report.count(QStringLiteral("lookup forms: English, irregular (WordNet)"), counts.irregular);
    report.count(QStringLiteral("lookup forms: English, regular (in the word list)"),
                 counts.regular);
    report.count(QStringLiteral("lookup forms: English, of a part of speech only WordNet gives"),
                 counts.wordNetPos);
    report.drop(QStringLiteral("English form made by rule, not in the word list"), counts.notAWord);
    report.drop(QStringLiteral("English form that is a headword: keeps its own entry"),
                counts.isHeadword);
    report.drop(QStringLiteral("English form not fit for a headword"), counts.notAHeadword);
}

QString skipReason(FaKeySkip s) {
    switch (s) {
    case FaKeySkip::Placeholder:
        return QStringLiteral("2022 key: placeholder Term?");
    case FaKeySkip::Romanised:
        return QStringLiteral("2022 key: romanisation");
    case FaKeySkip::Vocalised:
        return QStringLiteral("2022 key: vocalised");
    case FaKeySkip::Affix:
        return QStringLiteral("2022 key: affix with tatweel");
    case FaKeySkip::NotAWord:
        return QStringLiteral("2022 key: not a Persian word after normalising");
    case FaKeySkip::SameAsLemma:
        return QStringLiteral("2022 key: the lemma itself once normalised");
    case FaKeySkip::Repeated:
        return QStringLiteral("2022 key: the same form twice once normalised");
    case FaKeySkip::LongPhrase:
        return QStringLiteral("2022 key: phrase two or more words longer than its lemma");
    case FaKeySkip::Progressive:
        return QStringLiteral("2022 key: progressive with a form of dashtan");
    case FaKeySkip::MisplacedPrefix:
        return QStringLiteral("2022 key: verb prefix written on a word before the verb");
    case FaKeySkip::TableWord:
        return QStringLiteral("2022 key: pronoun or copula of a verb's conjugation table");
    case FaKeySkip::None:
        break;
    }
    return {};
}

// The team's colloquial spellings, after the extract's forms so that one may
// lead to a form ("مياد" to "مي آيد", a form of آمدن). Returns the records made.
qsizetype addColloquialForms(Lexicon &lexicon, const QSet<QString> &formKeys,
                             const QList<ColloquialForm> &rows, Report &report) {
    std::map<QString, std::vector<Sense>> made;
    for (const ColloquialForm &c : rows) {
        const auto own = lexicon.persian.find(c.form);
        if ((own != lexicon.persian.end() && !own->second.senses.empty()) ||
            made.count(c.form) > 0) {
            report.drop(QStringLiteral("colloquial table: form that has a record of its own"));
            continue;
        }
        std::vector<Sense> senses;
        if (!c.english.isEmpty()) {
            Sense s;
            s.core = faFormOpening(FaFormKind::Other) + c.english;
            s.origin = Origin::TeamList;
            senses.push_back(s);
        } else if (const auto standard = lexicon.persian.find(c.standard);
                   standard != lexicon.persian.end() && !standard->second.senses.empty()) {
            // A form's record already says what it is a form of.
            const bool opened = formKeys.contains(c.standard);
            for (const Sense &s : standard->second.senses) {
                const QString text = fa2enText(s);
                senses.push_back(formSense(
                    s, senses.empty() && !opened ? faFormOpening(FaFormKind::Other) + text : text));
            }
        }
        if (!fits(senses, wordlist::kMaxFa2EnMeaning)) {
            report.drop(QStringLiteral("colloquial table: standard form that is no FA record"));
            continue;
        }
        made[c.form] = std::move(senses);
    }
    for (auto &[form, senses] : made) {
        lexicon.persian[form].senses = std::move(senses);
    }
    report.count(QStringLiteral("lookup forms: Persian, colloquial spellings (team table)"),
                 qsizetype(made.size()));
    return qsizetype(made.size());
}

void addPersianForms(Lexicon &lexicon, const FormSources &sources, Report &report) {
    qsizetype bad = 0;
    const QList<ColloquialForm> colloquial =
        parseColloquialTable(QString::fromUtf8(sources.persianColloquial), &bad);
    report.drop(QStringLiteral("colloquial table: line not of the form FORM, STANDARD[, ENGLISH]"),
                bad);
    struct Base {
        FaFormKind kind;
        const QString *headword;
        bool made;             // an ending added here, not a key the extract lists
        unsigned keep;         // the parts of speech whose senses it leads to
        bool negative = false; // a negative made on a key
    };
    // A key leads to every sense; an ending made on a noun to the noun's.
    constexpr unsigned all = ~0U;
    constexpr unsigned nounSenses = posBit(PartOfSpeech::Noun) | posBit(PartOfSpeech::None);
    // By form; each form's headwords in the lexicon's order, except that a
    // key the extract names as a past or plural leads: "كردم" is the past of
    // كردن before it is "my Kurd".
    std::map<QString, std::vector<Base>> found;
    // An entry that yields ("آمد" Amida) is no headword here: the verb's
    // form leads, its senses following.
    auto isHeadword = [&](const QString &form) {
        const auto it = lexicon.persian.find(form);
        return it != lexicon.persian.end() && !it->second.senses.empty() &&
               !yieldsToForm(it->second.senses);
    };
    auto add = [&](const QString &form, FaFormKind kind, const QString &headword, bool made,
                   unsigned keep, bool negative = false) {
        std::vector<Base> &bases = found[form];
        if (std::none_of(bases.begin(), bases.end(),
                         [&](const Base &b) { return *b.headword == headword; })) {
            bases.push_back({kind, &headword, made || negative, keep, negative});
        }
    };
    // A spelling that is a headword, even one that would yield, is no ending
    // made on a noun: فعلي "current", شرطي "conditional".
    auto hasEntry = [&](const QString &form) {
        const auto it = lexicon.persian.find(form);
        return it != lexicon.persian.end() && !it->second.senses.empty();
    };
    const QSet<QString> known = knownPersianWords(lexicon);
    const QSet<QString> stemSpellings = presentStemSpellings(lexicon, sources.presentStems);
    // A verb made of a preverb and a verb of its own: برگشتن, بر and گشتن.
    const auto preverb = [&](const QString &verb) { return persianPreverb(lexicon, verb); };
    std::map<QString, std::vector<Base>> alsoPast;
    qsizetype keyForms = 0;
    qsizetype possessives = 0;
    qsizetype madePlurals = 0;
    std::vector<MadeEnding> madeEndings;
    std::vector<std::pair<QString, const QString *>> negatives; // form, verb
    qsizetype headwords = 0;
    for (const auto &[headword, entry] : lexicon.persian) {
        if (entry.senses.empty()) {
            continue;
        }
        const bool noun = std::any_of(entry.senses.begin(), entry.senses.end(),
                                      [](const Sense &s) { return s.pos == PartOfSpeech::Noun; });
        const bool verb = std::any_of(entry.senses.begin(), entry.senses.end(), [](const Sense &s) {
            return s.pos == PartOfSpeech::VerbT || s.pos == PartOfSpeech::VerbI;
        });
        // A word out of use is not met inflected: خهر (donkey, Sistani) has
        // no plural to look up. A dialectal verb's forms stay: the source
        // calls spoken forms (بشينم) dialectal.
        if (std::all_of(entry.senses.begin(), entry.senses.end(), [&](const Sense &s) {
                return (isDatedLabel(s.label) || isRareLabel(s.label)) &&
                       !(verb && s.label.contains(QStringLiteral("dialect")));
            })) {
            report.drop(QStringLiteral("Persian word whose senses are all archaic, dialectal or "
                                       "rare: no forms"));
            continue;
        }
        // Negatives are made only on a verb in use: not on one that is only
        // archaic, dialectal or rare (رختن of Kazerun).
        const bool currentVerb =
            std::any_of(entry.senses.begin(), entry.senses.end(), [](const Sense &s) {
                return (s.pos == PartOfSpeech::VerbT || s.pos == PartOfSpeech::VerbI) &&
                       !isDatedLabel(s.label) && !isRareLabel(s.label);
            });
        QList<FaKeySkip> skipped;
        bool plural = false;
        QStringList plurals;
        for (const PersianFormKey &k :
             persianFormKeys({headword, entry.joined, noun, verb, verb ? preverb(headword) : 0},
                             entry.otherKeys, &skipped)) {
            plural = plural || k.kind == FaFormKind::Plural;
            if (isHeadword(k.form)) {
                ++headwords;
                // A verb's past that is also a word keeps its entry and names
                // the verb after it: كرد is a Kurd, and "did".
                if (k.kind == FaFormKind::Past || k.kind == FaFormKind::PastParticiple) {
                    alsoPast[k.form].push_back({k.kind, &headword, false, all});
                }
                continue;
            }
            if (k.made) {
                if (currentVerb) {
                    negatives.push_back({k.form, &headword});
                }
                continue;
            }
            ++keyForms;
            add(k.form, k.kind, headword, false, all);
            if (k.kind == FaFormKind::Plural) {
                plurals.append(k.form);
            }
        }
        for (const FaKeySkip s : skipped) {
            report.drop(skipReason(s));
        }
        // The Persian entries' own common nouns only (the extract's and the
        // team's Persian lists): a reversed translation's part of speech is
        // the English word's, not always the Persian one's, and a place has
        // no plural ("Plural: Marand"). A word also given as another part of
        // speech (اغلب "often", "most") is left alone: "Plural: Often" would
        // mislead.
        const auto own = [](const Sense &s) {
            return (s.origin == Origin::Wiktextract || s.origin == Origin::TeamList) && !s.reversed;
        };
        const bool ownNoun =
            std::any_of(
                entry.senses.begin(), entry.senses.end(),
                [&](const Sense &s) { return own(s) && s.pos == PartOfSpeech::Noun && !s.name; }) &&
            std::none_of(entry.senses.begin(), entry.senses.end(), [&](const Sense &s) {
                return own(s) && s.pos != PartOfSpeech::Noun && s.pos != PartOfSpeech::None;
            });
        if (ownNoun) {
            const FinalHeh heh = finalHeh(headword, entry.otherKeys);
            QStringList endings = possessiveForms(headword, heh) +
                                  pluralPossessiveForms(headword, entry.senses.front().core);
            // An indefinite spelt as a word the lists use on its own is that
            // word (ديدباني "watch", not "a watchman").
            const QStringList indefinite = indefiniteForms(headword, heh);
            if (std::any_of(indefinite.begin(), indefinite.end(),
                            [&](const QString &f) { return known.contains(f); })) {
                report.drop(QStringLiteral("Persian indefinite spelt as a word of its own"));
            } else {
                endings.append(indefinite);
            }
            for (const QString &form : endings) {
                if (hasEntry(form)) {
                    ++headwords;
                    continue;
                }
                ++possessives;
                add(form, FaFormKind::Other, headword, true, nounSenses);
            }
            // Two nouns in three list no plural among their keys.
            if (!plural) {
                for (const QString &form : pluralForms(headword, entry.senses.front().core)) {
                    if (hasEntry(form)) {
                        ++headwords;
                    } else {
                        ++madePlurals;
                        plurals.append(form);
                        add(form, FaFormKind::Plural, headword, true, nounSenses);
                    }
                }
            }
        }
        std::ranges::move(entryEndings(headword, entry, plurals), std::back_inserter(madeEndings));
    }
    // Spoken and vowel endings last, so that none takes the spelling of a
    // headword, a key, a standard ending, a colloquial spelling, a headword
    // typed without its joiner or a word the lists use.
    QSet<QString> otherSpellings;
    for (const ColloquialForm &c : colloquial) {
        otherSpellings.insert(c.form);
    }
    for (const auto &[headword, entry] : lexicon.persian) {
        if (!entry.joined.isEmpty()) {
            otherSpellings.insert(entry.joined);
        }
    }
    for (MadeEnding &m : keepEndings(
             std::move(madeEndings),
             [&](const QString &form) {
                 return hasEntry(form) || found.count(form) > 0 || known.contains(form) ||
                        otherSpellings.contains(form);
             },
             report)) {
        add(m.ending.form, FaFormKind::Other, *m.headword, true, m.keep);
    }
    // A present's negative comes after every other reading and never takes
    // the spelling of a word, one that opens a headword (نگه of نگه داشتن), a
    // colloquial spelling, a headword typed without its joiner (نميدانم) or a
    // present the team's stems give (نكند of كندن).
    QSet<QString> openers;
    for (const auto &[headword, entry] : lexicon.persian) {
        if (const qsizetype space = headword.indexOf(u' '); space > 0 && !entry.senses.empty()) {
            openers.insert(headword.first(space));
        }
    }
    for (const auto &[form, verb] : negatives) {
        if (hasEntry(form) || known.contains(form) || openers.contains(form) ||
            otherSpellings.contains(form) || stemSpellings.contains(form)) {
            report.drop(
                QStringLiteral("Persian negative whose spelling a word or another form has"));
            continue;
        }
        ++keyForms;
        add(form, FaFormKind::Other, *verb, true, all, true);
    }
    qsizetype added = 0;
    qsizetype yielded = 0;
    std::vector<std::pair<const QString *, std::vector<Sense>>> made;
    for (auto &[form, bases] : found) {
        // A past or plural the extract lists leads; a negative made on a
        // key follows every other reading (نشين: a key of نشستن first).
        std::ranges::stable_sort(bases, {}, [](const Base &b) {
            return b.negative ? 2 : !b.made && b.kind != FaFormKind::Other ? 0 : 1;
        });
        // A degree in -تر or -ترين is one of an adjective or adverb: بهتر is
        // the comparative of خوب, not a form of به "to" or "quince".
        const bool degree =
            form.endsWith(QStringLiteral("تر")) || form.endsWith(QStringLiteral("ترين"));
        const auto ofDegree = [](const Sense &s) {
            return s.pos == PartOfSpeech::Adj || s.pos == PartOfSpeech::Adv;
        };
        if (degree) {
            std::stable_partition(bases.begin(), bases.end(), [&](const Base &b) {
                const std::vector<Sense> &of = lexicon.persian.at(*b.headword).senses;
                return std::any_of(of.begin(), of.end(),
                                   [](const Sense &s) { return s.pos == PartOfSpeech::Adj; });
            });
        }
        std::vector<Sense> senses;
        for (const Base &b : bases) {
            const std::vector<Sense> &of = lexicon.persian.at(*b.headword).senses;
            const bool degreeOnly =
                degree && !b.made && std::any_of(bases.begin(), bases.end(), [&](const Base &o) {
                    const std::vector<Sense> &os = lexicon.persian.at(*o.headword).senses;
                    return std::any_of(os.begin(), os.end(), ofDegree);
                });
            bool first = true;
            for (const Sense &s : of) {
                // An ending made on a noun leads to the noun's senses only: the
                // plural of است (bone, rare) is no plural of "Be".
                if ((b.keep & posBit(s.pos)) == 0) {
                    continue;
                }
                if (degreeOnly && !ofDegree(s)) {
                    continue;
                }
                const QString text = fa2enText(s);
                senses.push_back(formSense(s, first ? faFormOpening(b.kind) + text : text));
                first = false;
            }
        }
        if (!fits(senses, wordlist::kMaxFa2EnMeaning)) {
            report.drop(QStringLiteral("lookup form whose first sense does not fit its list"));
            continue;
        }
        const auto own = lexicon.persian.find(form);
        if (own != lexicon.persian.end() && !own->second.senses.empty()) {
            ++yielded;
            for (const Sense &s : own->second.senses) {
                senses.push_back(formSense(s, fa2enText(s)));
            }
        }
        made.emplace_back(&form, std::move(senses));
    }
    qsizetype pastsAfter = 0;
    for (const auto &[form, bases] : alsoPast) {
        std::vector<Sense> &own = lexicon.persian.at(form).senses;
        std::vector<Sense> senses = own;
        for (const Base &b : bases) {
            bool first = true;
            for (const Sense &s : lexicon.persian.at(*b.headword).senses) {
                const QString text = fa2enText(s);
                senses.push_back(formSense(s, first ? faFormOpening(b.kind) + text : text));
                first = false;
            }
        }
        // Written as they stand: the entry's own senses keep their labels.
        for (Sense &s : senses) {
            s = formSense(s, fa2enText(s));
        }
        own = std::move(senses);
        ++pastsAfter;
    }
    // A headword a source wrote with a joiner is found typed without it too
    // (پاياننامه), with the same meaning.
    std::map<QString, std::vector<Sense>> twins;
    for (const auto &[headword, entry] : lexicon.persian) {
        if (!entry.senses.empty() && !entry.joined.isEmpty() && !hasEntry(entry.joined) &&
            found.count(entry.joined) == 0) {
            for (const Sense &s : entry.senses) {
                twins[entry.joined].push_back(formSense(s, fa2enText(s)));
            }
        }
    }
    QSet<QString> formKeys;
    for (auto &[form, senses] : made) {
        ++added;
        formKeys.insert(*form);
        lexicon.persian[*form].senses = std::move(senses);
    }
    for (auto &[form, senses] : twins) {
        ++added;
        lexicon.persian[form].senses = std::move(senses);
    }
    report.count(QStringLiteral("lookup forms: Persian, headwords typed without their joiner"),
                 qsizetype(twins.size()));
    // Present tenses first: a spoken spelling may lead to one (نمیخوام).
    added += addPresentStemForms(lexicon, sources.presentStems, known, report, &formKeys);
    added += addColloquialForms(lexicon, formKeys, colloquial, report);
    report.count(
        QStringLiteral("lookup forms: Persian, leading a headword of names or reversed senses"),
        yielded);
    report.count(QString::fromLatin1(kPersianFormsCount), added);
    report.count(QStringLiteral("lookup forms: Persian, keys of the 2022 extract"), keyForms);
    report.count(
        QStringLiteral("lookup forms: Persian, possessive and indefinite endings of nouns"),
        possessives);
    report.count(QStringLiteral("lookup forms: Persian, -ha plurals the keys lack"), madePlurals);
    report.count(QStringLiteral("Persian headwords that are also a verb's past, named after"),
                 pastsAfter);
    report.drop(QStringLiteral("Persian form that is a headword: keeps its own entry"), headwords);
}

} // namespace

QString en2faOpening(const QString &base) {
    return QStringLiteral("(%1=) ").arg(base.toLower());
}

std::vector<Sense> englishFormMeaning(const std::vector<Sense> &senses, const QString &base) {
    return writtenEnglish(senses, en2faOpening(base));
}

void addLookupForms(Lexicon &lexicon, const FormSources &sources, Report &report) {
    addEnglishForms(lexicon, sources, report);
    // After the English forms: "realised" leads to the form "realized".
    addBritishSpellings(lexicon, sources.britishSpellings, report);
    addPersianForms(lexicon, sources, report);
}

FormSources readFormSources(const QString &englishWords, const QString &wordNetDir) {
    FormSources s;
    s.englishWords = EnglishWords::parse(readSourceFile(englishWords));
    if (s.englishWords.size() == 0) {
        throw SourceError(englishWords.toStdString() + " holds no word");
    }
    for (const EnPos pos : {EnPos::Noun, EnPos::Verb, EnPos::Adj, EnPos::Adv}) {
        const QString file = QString::fromLatin1(wordNetExceptionFile(pos));
        s.wordnet.add(pos, readSourceFile(QDir(wordNetDir).filePath(file)));
    }
    if (s.wordnet.size() == 0) {
        throw SourceError(wordNetDir.toStdString() + " holds no WordNet exception list");
    }
    return s;
}

} // namespace vorlan::wordlists
