#include "stages.h"

#include "normalise.h"
#include "wordlistrules.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace vorlan::wordlists {

namespace {

// FA2EN wants short equivalents: a sense longer than this is an explanation
// and is kept only when the headword has nothing shorter.
constexpr qsizetype kLongSense = 120;

// The translation lists give equivalents chosen for the English word; the
// wordnet links and CLDR names pair words too, but unreviewed; a reversed
// gloss is a meaning of the Persian word, not a choice for the English one.
int englishOriginRank(Origin o) {
    switch (o) {
    case Origin::TranslationList:
    case Origin::TeamList:
        return 0;
    case Origin::Wordnet:
    case Origin::Cldr:
        return 1;
    case Origin::Wiktextract:
        break;
    }
    return 2;
}

// A Persian entry's own glosses lead, the links follow, and reversed
// translations come last.
int persianOriginRank(Origin o) {
    switch (o) {
    case Origin::Wiktextract:
        return 0;
    case Origin::Wordnet:
    case Origin::Cldr:
        return 1;
    case Origin::TranslationList:
    case Origin::TeamList:
        break;
    }
    return 2;
}

using Rank = std::tuple<int, int, int, int, int, int, qsizetype>;
using Tier = std::tuple<int, int, int, int>;

// The 2015 list gives a word's senses in the alphabetical order of their
// glosses ("hand": "bunch of bananas" before "part of the fore limb"). A line
// whose Persian word the 2022 extract or a wordnet link translates back as
// the headword itself is a core sense of the word, the more so the nearer
// the front of its line that word stands ("head": سر leads "part of the
// body" but is third for "leader or chief"). By line, that word's place;
// lines without one rank after every such line.
constexpr int kNotGivenBack = 1000;

QHash<qsizetype, int> lineRanks(const EnglishEntry &entry,
                                const std::map<QString, PersianEntry> &persian) {
    QHash<qsizetype, int> ranks;
    QHash<qsizetype, int> place;
    for (const Sense &s : entry.senses) {
        if (s.origin != Origin::TranslationList || s.line < 0) {
            continue;
        }
        const int at = place[s.line]++;
        if (ranks.contains(s.line)) {
            continue;
        }
        const auto p = persian.find(s.core);
        if (p != persian.end() &&
            std::any_of(p->second.senses.begin(), p->second.senses.end(), [&](const Sense &back) {
                return !back.reversed &&
                       (back.origin == Origin::Wiktextract || back.origin == Origin::Wordnet) &&
                       back.core.compare(entry.headword, Qt::CaseInsensitive) == 0;
            })) {
            ranks.insert(s.line, at);
        }
    }
    return ranks;
}

// A sense its source calls rare or figurative ("Bone (rare)" of است, "is";
// "(figuratively) جندره" of "Extenuation") is kept, but after the word's
// usual senses, reversed ones included.
int rareness(const Sense &s) {
    static const QRegularExpression figurative(QStringLiteral(R"(\b(figurative|figuratively)\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    return isRareLabel(s.label) || figurative.match(s.label).hasMatch() ? 1 : 0;
}

// The team writes a sense where the sources miss the word's usual one
// ("But": اما before the 2015 list's بجز, "except"): it leads the rest.
Rank englishRank(const Sense &s, const QHash<qsizetype, int> &lines) {
    const int line = s.origin == Origin::TeamList ? -1
                     : s.origin == Origin::TranslationList && !lines.isEmpty()
                         ? lines.value(s.line, kNotGivenBack)
                         : 0;
    return {s.name ? 1 : 0, rareness(s), s.reversed ? 1 : 0, englishOriginRank(s.origin), line,
            s.order,        s.seq};
}

// Verbs count as one part of speech, whichever way they take an object.
PartOfSpeech countedPos(PartOfSpeech p) {
    return p == PartOfSpeech::VerbI ? PartOfSpeech::VerbT : p;
}

// The part of speech WordNet's tagged text uses the word as at least three
// times as often as each other one the entry has ("run": 268 as a verb, 29
// as a noun); None where no such one stands out.
PartOfSpeech dominantPos(const std::vector<Sense> &senses,
                         const std::map<PartOfSpeech, int> *counts) {
    if (!counts) {
        return PartOfSpeech::None;
    }
    std::set<PartOfSpeech> present;
    for (const Sense &s : senses) {
        if (s.pos != PartOfSpeech::None) {
            present.insert(countedPos(s.pos));
        }
    }
    const auto count = [&](PartOfSpeech p) {
        const auto it = counts->find(p);
        return it == counts->end() ? 0 : it->second;
    };
    for (const PartOfSpeech p : present) {
        if (count(p) > 0 && std::all_of(present.begin(), present.end(), [&](PartOfSpeech q) {
                return q == p || count(p) >= 3 * count(q);
            })) {
            return p;
        }
    }
    return PartOfSpeech::None;
}

// The team's own Persian entries give the usual English where the sources
// miss it (شاکی: plaintiff before accuser): they lead.
Rank persianRank(const Sense &s) {
    const int team = s.origin == Origin::TeamList && !s.reversed ? -1 : 0;
    return {team, rareness(s), s.reversed ? 1 : 0, persianOriginRank(s.origin), 0, s.order, s.seq};
}

// Removes the senses `drop` picks, counting them under `why`.
template <typename Pred>
void dropSenses(std::vector<Sense> &senses, Report &report, const QString &why, Pred drop) {
    const auto end = std::remove_if(senses.begin(), senses.end(), drop);
    report.drop(why, senses.end() - end);
    senses.erase(end, senses.end());
}

void dropDatedBesideCurrent(std::vector<Sense> &senses, Report &report, const QString &list) {
    const bool current = std::any_of(senses.begin(), senses.end(),
                                     [](const Sense &s) { return !isDatedLabel(s.label); });
    if (current) {
        dropSenses(senses, report,
                   list + QStringLiteral(": archaic, obsolete, dialectal or historical sense "
                                         "beside a current one"),
                   [](const Sense &s) { return isDatedLabel(s.label); });
    }
}

// By EN key, the team Persian list's words for that English word, as
// reversed senses in reading order ("Alarm": زنگ هشدار, آلارم).
using Equivalents = std::map<QString, std::vector<Sense>>;

Equivalents teamEquivalents(const Lexicon &lexicon) {
    Equivalents out;
    for (const auto &[persian, entry] : lexicon.persian) {
        for (const Sense &s : entry.senses) {
            if (s.origin == Origin::TeamList && !s.reversed) {
                Sense en = s;
                en.core = persian;
                en.spelling = s.core;
                en.reversed = true;
                out[wordlist::enSortKey(s.core)].push_back(en);
            }
        }
    }
    for (auto &[key, senses] : out) {
        std::sort(senses.begin(), senses.end(),
                  [](const Sense &a, const Sense &b) { return a.seq < b.seq; });
    }
    return out;
}

void cleanEnglish(const QString &key, EnglishEntry &entry, const Lexicon &lexicon,
                  const Equivalents &equivalents, Report &report, qsizetype &duplicates) {
    std::vector<Sense> &senses = entry.senses;
    // Only archaic, rare or figurative senses ("Alarm": (archaic) آژير): the
    // team's Persian list names the current equivalent, which then leads.
    const auto team = equivalents.find(key);
    if (team != equivalents.end() && !senses.empty() &&
        std::none_of(senses.begin(), senses.end(),
                     [](const Sense &s) { return !isDatedLabel(s.label) && rareness(s) == 0; })) {
        senses.insert(senses.end(), team->second.begin(), team->second.end());
        report.count(QStringLiteral("team Persian list: current equivalents of English words "
                                    "the sources give only dated, rare or figurative senses"),
                     qsizetype(team->second.size()));
    }
    dropSenses(senses, report, QStringLiteral("reversed gloss that is a description, not a word"),
               [](const Sense &s) { return s.reversed && isDescription(s.spelling); });
    dropSenses(senses, report,
               QStringLiteral("Persian meaning with English words or affix notation"),
               [](const Sense &s) { return !isPersianMeaning(s.core); });
    const auto deep = [](const Sense &s) {
        return s.reversed && s.origin == Origin::Wiktextract && s.ofSenses >= kLongSenseList &&
               s.order >= kDeepSense;
    };
    // Where the deep senses are all a headword has and none is a noun, they
    // are what the sources know of it ("Anymore" دیگر, "Survive" ماندن). The
    // classical tail of a long entry is mostly of things ("Chessboard" دشت,
    // "Rib" شاخ), so a noun's deep senses go even then.
    const bool noNoun = std::none_of(senses.begin(), senses.end(),
                                     [](const Sense &s) { return s.pos == PartOfSpeech::Noun; });
    if (noNoun && std::all_of(senses.begin(), senses.end(), deep)) {
        report.count(
            QStringLiteral("kept: deep senses of a long Persian entry, the headword's only ones"),
            qsizetype(senses.size()));
    } else {
        dropSenses(senses, report,
                   QStringLiteral("reversed from a deep sense of a long Persian entry"), deep);
    }
    // A Persian word the 2022 extract calls dated or rare for this very
    // headword ("Brag": لافيدن, "uncommon, rare") is so wherever another
    // source gives it without a label; not one it places in Iran ("Chair":
    // صندلي, "Iran, Classical Persian", beside Dari's چوكي).
    static const QRegularExpression iran(QStringLiteral(R"(\bIran\b)"));
    QHash<QString, QString> labels;
    QSet<QString> unlabelled;
    for (const Sense &s : senses) {
        if (s.reversed && s.origin == Origin::Wiktextract) {
            if ((isDatedLabel(s.label) || rareness(s) != 0) && !iran.match(s.label).hasMatch()) {
                labels.insert(s.core, s.label);
            } else {
                unlabelled.insert(s.core);
            }
        }
    }
    for (Sense &s : senses) {
        if (s.label.isEmpty() && labels.contains(s.core) && !unlabelled.contains(s.core)) {
            s.label = labels.value(s.core);
            report.count(QStringLiteral("EN2FA: sense labelled as the 2022 extract labels the "
                                        "same pair"));
        }
    }
    dropDatedBesideCurrent(senses, report, QStringLiteral("EN2FA"));

    // The part-of-speech groups keep their order (nouns, verbs, adjectives,
    // ...), except that one with a better kind of sense comes first: a group
    // of the source's own translations before one only reversed; among
    // groups of one kind, the part of speech the word is mostly used as.
    // Of the two verb groups, one the team writes leads ("Wonder": its
    // (.vi) before the 2015 list's (.vt) شگفتيدن).
    const QHash<qsizetype, int> lines = lineRanks(entry, lexicon.persian);
    const auto counted = lexicon.taggedCounts.find(key);
    const PartOfSpeech dominant =
        dominantPos(senses, counted == lexicon.taggedCounts.end() ? nullptr : &counted->second);
    std::map<PartOfSpeech, Tier> groupRank;
    for (const Sense &s : senses) {
        const Rank r = englishRank(s, lines);
        const Tier t{std::get<0>(r), std::get<2>(r), std::get<3>(r),
                     s.pos == PartOfSpeech::None || countedPos(s.pos) == dominant ? 0 : 1};
        const auto it = groupRank.find(s.pos);
        if (it == groupRank.end() || t < it->second) {
            groupRank[s.pos] = t;
        }
    }
    std::set<PartOfSpeech> teamPos;
    for (const Sense &s : senses) {
        if (s.origin == Origin::TeamList && !s.reversed) {
            teamPos.insert(s.pos);
        }
    }
    const auto verbAfter = [&](PartOfSpeech p) {
        const PartOfSpeech other =
            p == PartOfSpeech::VerbT ? PartOfSpeech::VerbI : PartOfSpeech::VerbT;
        return countedPos(p) == PartOfSpeech::VerbT && teamPos.count(p) == 0 &&
                       teamPos.count(other) != 0
                   ? 1
                   : 0;
    };
    std::stable_sort(senses.begin(), senses.end(), [&](const Sense &a, const Sense &b) {
        const auto ka = std::make_tuple(groupRank[a.pos], verbAfter(a.pos), a.pos);
        const auto kb = std::make_tuple(groupRank[b.pos], verbAfter(b.pos), b.pos);
        return ka != kb ? ka < kb : englishRank(a, lines) < englishRank(b, lines);
    });
    QSet<QString> seen;
    std::vector<Sense> kept;
    for (Sense &s : senses) {
        if (seen.contains(s.core)) {
            ++duplicates;
            continue;
        }
        seen.insert(s.core);
        kept.push_back(std::move(s));
    }
    senses = std::move(kept);
}

void cleanPersian(PersianEntry &entry, Report &report, qsizetype &duplicates,
                  qsizetype &explanations) {
    std::vector<Sense> &senses = entry.senses;
    dropDatedBesideCurrent(senses, report, QStringLiteral("FA2EN"));
    std::stable_sort(senses.begin(), senses.end(), [](const Sense &a, const Sense &b) {
        return persianRank(a) < persianRank(b);
    });
    const bool hasShort = std::any_of(senses.begin(), senses.end(), [](const Sense &s) {
        return fa2enText(s).size() <= kLongSense;
    });
    QSet<QString> seen;
    std::vector<Sense> kept;
    for (Sense &s : senses) {
        const QString text = fa2enText(s);
        const QString folded = text.toLower();
        if (seen.contains(folded)) {
            ++duplicates;
            continue;
        }
        if (hasShort && text.size() > kLongSense) {
            ++explanations;
            continue;
        }
        seen.insert(folded);
        kept.push_back(std::move(s));
    }
    senses = std::move(kept);
}

} // namespace

bool isDescription(QStringView english) {
    const QStringList words = english.toString().toLower().split(u' ', Qt::SkipEmptyParts);
    if (words.size() < 2) {
        return false;
    }
    // Words that only continue or qualify a phrase, never begin a headword.
    static const QSet<QString> opening = {
        QStringLiteral("of"),           QStringLiteral("or"),       QStringLiteral("and"),
        QStringLiteral("from"),         QStringLiteral("relating"), QStringLiteral("pertaining"),
        QStringLiteral("belonging"),    QStringLiteral("related"),  QStringLiteral("especially"),
        QStringLiteral("particularly"), QStringLiteral("usually"),  QStringLiteral("chiefly"),
        QStringLiteral("mainly"),       QStringLiteral("mostly"),   QStringLiteral("also"),
        QStringLiteral("any"),          QStringLiteral("one's"),    QStringLiteral("a"),
        QStringLiteral("an"),           QStringLiteral("someone"),  QStringLiteral("something"),
        QStringLiteral("somebody"),     QStringLiteral("anything"), QStringLiteral("anyone"),
        QStringLiteral("certain"),      QStringLiteral("various"),  QStringLiteral("several")};
    if (opening.contains(words.front()) || english.contains(u',')) {
        return true;
    }
    // A kind of person or thing described by what it is like: "lucky
    // person", "red silken stuff".
    static const QSet<QString> vague = {QStringLiteral("person"), QStringLiteral("people"),
                                        QStringLiteral("thing"),  QStringLiteral("things"),
                                        QStringLiteral("stuff"),  QStringLiteral("object"),
                                        QStringLiteral("objects")};
    if (vague.contains(words.back())) {
        return true;
    }
    // Stand-ins for what a definition leaves open: "sixth of something".
    static const QSet<QString> placeholders = {
        QStringLiteral("something"), QStringLiteral("someone"), QStringLiteral("somebody"),
        QStringLiteral("anything"), QStringLiteral("anyone")};
    if (std::any_of(words.begin(), words.end(),
                    [](const QString &w) { return placeholders.contains(w); })) {
        return true;
    }
    // Alternatives are two words, not one: "turtle or tortoise".
    if (words.contains(QStringLiteral("or"))) {
        return true;
    }
    // A definition's head: "person from Sistan", "descendant of Ali", "act of
    // writing", "grandfather of Rostam", "character in Shahnama"; and a
    // pointer to the source's notes, "see usage notes".
    static const QRegularExpression head(
        QStringLiteral(R"(^(person|people|descendant|act|kind|type|sort|species|variety|member|)"
                       R"(native|inhabitant|resident|one|thing|ability|character|seller|)"
                       R"(grandfather|grandmother|father|mother|son|daughter|wife|husband|)"
                       R"(brother|sister) (of|from|who|that|to|in)$|^see (usage|also)$)"));
    if (head.match(words[0] + u' ' + words[1]).hasMatch()) {
        return true;
    }
    // An adverb in -ly before the word it qualifies: "directionally inside",
    // "badly veiled"; nouns and adjectives in -ly excepted.
    static const QSet<QString> notAdverbs = {
        QStringLiteral("grizzly"),  QStringLiteral("family"),  QStringLiteral("holy"),
        QStringLiteral("early"),    QStringLiteral("only"),    QStringLiteral("daily"),
        QStringLiteral("weekly"),   QStringLiteral("monthly"), QStringLiteral("yearly"),
        QStringLiteral("jelly"),    QStringLiteral("belly"),   QStringLiteral("lily"),
        QStringLiteral("woolly"),   QStringLiteral("curly"),   QStringLiteral("silly"),
        QStringLiteral("ugly"),     QStringLiteral("lovely"),  QStringLiteral("friendly"),
        QStringLiteral("deadly"),   QStringLiteral("elderly"), QStringLiteral("holly"),
        QStringLiteral("rally"),    QStringLiteral("italy"),   QStringLiteral("sicily"),
        QStringLiteral("bully"),    QStringLiteral("jolly"),   QStringLiteral("lonely"),
        QStringLiteral("heavenly"), QStringLiteral("worldly"), QStringLiteral("costly")};
    const QString &first = words.front();
    return first.size() >= 5 && first.endsWith(QStringLiteral("ly")) && !notAdverbs.contains(first);
}

bool isDatedLabel(QStringView label) {
    static const QRegularExpression dated(
        QStringLiteral(R"(\b(archaic|obsolete|dialectal|dialect|dialects|historical|dated|)"
                       R"(middle persian|old persian|classical persian|early new persian|)"
                       R"(sistani|malayeri|transoxianan)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    return dated.match(label).hasMatch();
}

bool isRareLabel(QStringView label) {
    static const QRegularExpression rare(QStringLiteral(R"(\b(rare|rarely|uncommon)\b)"),
                                         QRegularExpression::CaseInsensitiveOption);
    return rare.match(label).hasMatch();
}

bool isPersianMeaning(QStringView persian) {
    const QString text = withoutNotes(persian);
    static const QRegularExpression english(QStringLiteral(R"(\b[a-z][a-z]+\b)"));
    if (english.match(text).hasMatch()) {
        return false;
    }
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        // Wholly a note: a Persian one ("(حرف تعريف معين)" for "the") tells
        // the reader something, an English one does not.
        return vorlan::wordlist::containsPersianLetter(persian) &&
               !english.match(persian).hasMatch();
    }
    return std::none_of(words.begin(), words.end(),
                        [](const QString &w) { return w.startsWith(u'-') || w.endsWith(u'-'); });
}

void cleanSenses(Lexicon &lexicon, Report &report) {
    qsizetype duplicates = 0;
    qsizetype explanations = 0;
    const Equivalents equivalents = teamEquivalents(lexicon);
    for (auto &[key, entry] : lexicon.english) {
        cleanEnglish(key, entry, lexicon, equivalents, report, duplicates);
    }
    for (auto &[key, entry] : lexicon.persian) {
        cleanPersian(entry, report, duplicates, explanations);
    }
    report.drop(QStringLiteral("long explanatory English sense beside shorter ones"), explanations);
    report.drop(QStringLiteral("duplicate senses of one headword merged"), duplicates);
}

} // namespace vorlan::wordlists
