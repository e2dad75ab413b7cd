#include "converter.h"

#include "englishtext.h"
#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace vorlan::wordlists {

namespace {

using wordlist::collapseSpaces;
using wordlist::containsPersianLetter;
using wordlist::isPersianLetter;
using wordlist::normalisePersian;

// In the order the groups of a meaning are written; senses of no known part
// of speech come first so that no marker seems to govern them.
enum class Marker { None, Noun, VerbT, VerbI, Adj, Adv, Pref };

QString markerText(Marker m) {
    switch (m) {
    case Marker::Noun:
        return QStringLiteral("(.n)");
    case Marker::VerbT:
        return QStringLiteral("(.vt)");
    case Marker::VerbI:
        return QStringLiteral("(.vi)");
    case Marker::Adj:
        return QStringLiteral("(.adj)");
    case Marker::Adv:
        return QStringLiteral("(.adv)");
    case Marker::Pref:
        return QStringLiteral("(.pref)");
    case Marker::None:
        break;
    }
    return {};
}

// Neither source says whether a verb is transitive, except now and then in
// the English gloss. Next best is the Persian verb: its last word is one of a
// few verbs that never take an object (شدن "become", آمدن "come", رفتن "go",
// ...), or it is a causative in -اندن/-انيدن, which always does. Otherwise the
// verb is taken as transitive, the usual case in translation tables; كردن,
// دادن and زدن make both kinds, so they decide nothing.
std::optional<Marker> persianTransitivity(QStringView persian) {
    static const QStringList intransitive = {
        QStringLiteral("شدن"),    QStringLiteral("گشتن"),    QStringLiteral("گرديدن"),
        QStringLiteral("آمدن"),   QStringLiteral("رفتن"),    QStringLiteral("بودن"),
        QStringLiteral("ماندن"),  QStringLiteral("افتادن"),  QStringLiteral("رسيدن"),
        QStringLiteral("نشستن"),  QStringLiteral("خوابيدن"), QStringLiteral("دويدن"),
        QStringLiteral("مردن"),   QStringLiteral("ايستادن"), QStringLiteral("خنديدن"),
        QStringLiteral("گريستن"), QStringLiteral("پريدن"),   QStringLiteral("زيستن"),
        QStringLiteral("روييدن"), QStringLiteral("لرزيدن"),  QStringLiteral("ترسيدن"),
        QStringLiteral("رقصيدن"), QStringLiteral("خزيدن"),   QStringLiteral("وزيدن"),
        QStringLiteral("باريدن")};
    const QStringView last = persian.sliced(persian.lastIndexOf(u' ') + 1);
    if (intransitive.contains(last)) {
        return Marker::VerbI;
    }
    if (!persian.contains(u' ') && (last.endsWith(u"اندن") || last.endsWith(u"انيدن"))) {
        return Marker::VerbT;
    }
    return std::nullopt;
}

Marker verbMarker(QStringView englishHint, const QStringList &persian) {
    if (englishHint.contains(u"intransitive", Qt::CaseInsensitive)) {
        return Marker::VerbI;
    }
    if (englishHint.contains(u"transitive", Qt::CaseInsensitive)) {
        return Marker::VerbT;
    }
    for (const QString &p : persian) {
        if (const auto m = persianTransitivity(p)) {
            return *m;
        }
    }
    return Marker::VerbT;
}

// `persian`: all translations of the one sense, which share its transitivity.
Marker markerFor(QStringView pos, QStringView englishHint, const QStringList &persian) {
    if (pos == u"n" || pos == u"noun") {
        return Marker::Noun;
    }
    if (pos == u"v" || pos == u"verb") {
        return verbMarker(englishHint, persian);
    }
    if (pos == u"adj") {
        return Marker::Adj;
    }
    if (pos == u"adv") {
        return Marker::Adv;
    }
    if (pos == u"prefix") {
        return Marker::Pref;
    }
    return Marker::None;
}

// Ranks: the 2015 translations are equivalents chosen for the English word,
// so they lead; reversed 2022 glosses follow, labelled (archaic, dialectal,
// ...) ones last.
struct PersianSense {
    QString text;
    QString core;
    Marker marker;
    int rank;
    int sense;
    qsizetype seq;
};

struct EnEntry {
    std::set<QString> spellings;
    std::set<QString> sourceSpellings; // of the 2015 list, before capitalising
    std::vector<PersianSense> senses;
};

// FA2EN wants short equivalents: a sense longer than this is an explanation
// and is kept only when the headword has nothing shorter.
constexpr qsizetype kLongSense = 120;

struct EnglishMeaning {
    QString text;
    int rank;
    qsizetype seq;
};

QString decodeUtf8(const QByteArray &bytes, const char *what) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        throw SourceError(std::string(what) + " is not valid UTF-8");
    }
    return text;
}

QStringList lines(const QString &text) {
    QStringList out = text.split(u'\n');
    for (QString &l : out) {
        if (l.endsWith(u'\r')) {
            l.chop(1);
        }
    }
    return out;
}

bool hasLatinLetter(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
               (c.unicode() >= 0xC0 && c.unicode() < 0x250);
    });
}

// Persian senses carry their English usage label in front: "(colloquial) ...".
QString labelledFirst(const QString &label, const QString &text) {
    return label.isEmpty() ? text : QStringLiteral("(%1) %2").arg(label, text);
}

QString labelledAfter(const QString &text, const QString &label) {
    return label.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, label);
}

QString withoutNotes(QStringView s) {
    QString out;
    int depth = 0;
    for (QChar c : s) {
        if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth > 0) {
            --depth;
        } else if (depth == 0) {
            out.append(c);
        }
    }
    return out;
}

class Builder {
public:
    ConversionReport report;

    void addTranslationList(const QString &text);
    void addWiktextract(const QString &text);
    WordListRecords finish();

private:
    void drop(const QString &reason, qsizetype n = 1) { report.dropped[reason] += n; }
    void read(const QString &what, qsizetype n = 1) { report.read[what] += n; }
    std::optional<QString> faHeadword(QStringView raw);
    void addEnglishMeaning(const QString &faHead, const QString &text, int rank);

    std::map<QString, EnEntry> en_; // by lower-cased headword, which is EN's order
    std::map<QString, std::vector<EnglishMeaning>> fa_;
    qsizetype seq_ = 0;
};

// Source headwords sometimes carry notes around the word: "شوپرك ]]",
// ": سبزآبي", "ذوب كردن: تبديل به مايع كردن", a phrasebook question mark.
// The word itself is kept; affixes ("-ام", "يك -ي") and records that do not
// begin with a Persian letter are not headwords.
QString cleanFaHeadword(QString s) {
    s.replace(u'_', u' ');
    s.remove(u'[');
    s.remove(u']');
    const qsizetype colon = s.indexOf(u':');
    if (colon >= 0) {
        const QString before = s.left(colon);
        s = containsPersianLetter(before) ? before : s.mid(colon + 1);
    }
    s = s.simplified();
    while (s.endsWith(u'?') || s.endsWith(u'!')) {
        s.chop(1);
        s = s.simplified();
    }
    return s;
}

bool isAffixNotation(const QString &s) {
    const QStringList words = s.split(u' ', Qt::SkipEmptyParts);
    return std::any_of(words.begin(), words.end(),
                       [](const QString &w) { return w.startsWith(u'-') || w.endsWith(u'-'); });
}

std::optional<QString> Builder::faHeadword(QStringView raw) {
    const auto normalised = normalisePersian(raw);
    if (!normalised) {
        drop(QStringLiteral("Persian text with letters outside the 34 or presentation forms"));
        return std::nullopt;
    }
    const QString norm = cleanFaHeadword(*normalised);
    if (!containsPersianLetter(norm) || norm.contains(QStringLiteral("...")) ||
        norm.contains(u',') || norm.contains(u';') ||
        std::any_of(norm.begin(), norm.end(), [](QChar c) { return c >= u'a' && c <= u'z'; })) {
        // Lists, and English or transliteration left in a translation: an
        // upper-case "X" (قرص X) is part of a word, lower-case text never is.
        drop(QStringLiteral("FA headword that is not a Persian word or phrase"));
        return std::nullopt;
    }
    if (!isPersianLetter(norm.front().unicode()) || isAffixNotation(norm)) {
        drop(QStringLiteral("FA headword that is an affix or does not begin with a Persian "
                            "letter"));
        return std::nullopt;
    }
    if (norm.size() > wordlist::kMaxFaHeadword) {
        drop(QStringLiteral("FA headword longer than 176 characters"));
        return std::nullopt;
    }
    return norm;
}

void Builder::addEnglishMeaning(const QString &faHead, const QString &text, int rank) {
    fa_[faHead].push_back({text, rank, seq_++});
}

void Builder::addTranslationList(const QString &text) {
    for (const QString &raw : lines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        read(QStringLiteral("2015 translation list: lines"));
        const auto t = parseTranslationLine(line);
        if (!t) {
            drop(QStringLiteral("2015 line not of the form HEADWORD {pos} :: TRANSLATIONS"));
            continue;
        }
        HeadwordProblem problem = HeadwordProblem::None;
        const QString head = makeEnHeadword(t->headword, &problem);
        if (head.isEmpty()) {
            drop(problem == HeadwordProblem::TooLong
                     ? QStringLiteral("EN headword longer than 32 characters")
                     : QStringLiteral("EN headword with characters outside the allowed set"));
        }
        const QString english = capitaliseFirst(collapseSpaces(foldToAscii(t->headword)));
        QStringList persianItems;
        for (const TranslationItem &item : t->items) {
            persianItems.append(normalisePersian(withoutNotes(item.text)).value_or(QString()));
        }
        const Marker marker = markerFor(t->pos, t->gloss, persianItems);
        for (const TranslationItem &item : t->items) {
            read(QStringLiteral("2015 translation list: translations"));
            QStringList labels;
            for (const QString &q : item.qualifiers) {
                const QString f = foldToAscii(q);
                bool numeric = false;
                f.toInt(&numeric);
                if (!numeric && isPrintableAsciiText(f)) {
                    labels.append(f);
                }
            }
            const QString label = labels.join(QStringLiteral(", "));
            const auto persian = normalisePersian(item.text);
            if (!persian) {
                drop(QStringLiteral("Persian text with letters outside the 34 or presentation "
                                    "forms"));
                continue;
            }
            if (!containsPersianLetter(*persian)) {
                drop(QStringLiteral("2015 translation without Persian text"));
                continue;
            }
            const QString core =
                QString(*persian).replace(QStringLiteral(" - "), QStringLiteral(", "));
            if (!head.isEmpty()) {
                EnEntry &e = en_[wordlist::enSortKey(head)];
                e.spellings.insert(head);
                e.sourceSpellings.insert(t->headword);
                e.senses.push_back({labelledFirst(label, core), core, marker, 0, 0, seq_++});
            }
            // "A - B" names two Persian words for the same thing.
            for (const QString &part : withoutNotes(item.text).split(QStringLiteral(" - "))) {
                const auto faHead = faHeadword(part);
                if (!faHead) {
                    continue;
                }
                if (!isPrintableAsciiText(english) || english.isEmpty()) {
                    drop(QStringLiteral("2015 headword not English after folding (not reversed)"));
                    continue;
                }
                addEnglishMeaning(*faHead, labelledAfter(english, label), 1);
            }
        }
    }
}

void Builder::addWiktextract(const QString &text) {
    for (const QString &line : lines(text)) {
        if (line.trimmed().isEmpty()) {
            continue;
        }
        read(QStringLiteral("2022 extract: entries"));
        const auto e = parseWiktextractLine(line);
        if (!e) {
            drop(QStringLiteral("2022 line without a sense (no KEYS<TAB>HTML with a list)"));
            continue;
        }
        for (const QString &key : e->otherKeys) {
            if (key == u"Term?") {
                drop(QStringLiteral("2022 key: placeholder Term?"));
            } else if (hasLatinLetter(key)) {
                drop(QStringLiteral("2022 key: romanisation (not a headword)"));
            } else {
                drop(QStringLiteral("2022 key: inflected or vocalised form (not a headword)"));
            }
        }
        if (e->lemma == u"Term?") {
            drop(QStringLiteral("2022 key: placeholder Term?"));
            continue;
        }
        if (e->lemma.contains(QChar(0x0640))) {
            drop(QStringLiteral("2022 entry: affix written with tatweel"));
            continue;
        }
        const auto faHead = faHeadword(e->lemma);
        if (!faHead) {
            continue;
        }
        int senseIndex = 0;
        for (const PosBlock &block : e->blocks) {
            const QString pos = block.pos.toLower();
            static const QStringList skipped = {
                QStringLiteral("character"), QStringLiteral("symbol"),  QStringLiteral("punct"),
                QStringLiteral("suffix"),    QStringLiteral("prefix"),  QStringLiteral("infix"),
                QStringLiteral("affix"),     QStringLiteral("interfix")};
            if (skipped.contains(pos)) {
                drop(QStringLiteral("2022 sense of a letter, symbol or affix"),
                     block.glosses.size());
                continue;
            }
            const bool verb = pos == u"verb";
            const bool name = pos == u"name";
            for (const QString &html : block.glosses) {
                read(QStringLiteral("2022 extract: senses"));
                const auto gloss = decodeHtmlText(html);
                if (!gloss) {
                    drop(QStringLiteral("2022 sense with an undecodable HTML entity"));
                    continue;
                }
                if (isFormOfGloss(*gloss)) {
                    drop(QStringLiteral("2022 sense: form-of, alternative form, plural of"));
                    continue;
                }
                int notEnglish = 0;
                const QList<EnglishSense> senses = englishSenses(*gloss, verb, &notEnglish);
                if (notEnglish > 0) {
                    drop(QStringLiteral("2022 sense part not English after folding"), notEnglish);
                }
                for (const EnglishSense &s : senses) {
                    addEnglishMeaning(*faHead, s.text, 0);
                    const QString key = reversalKey(s, name);
                    if (key.isEmpty()) {
                        drop(QStringLiteral("2022 sense not reversed: not a short word or "
                                            "phrase"));
                        continue;
                    }
                    EnEntry &entry = en_[wordlist::enSortKey(key)];
                    entry.spellings.insert(key);
                    const Marker marker = markerFor(pos, *gloss, {*faHead});
                    entry.senses.push_back({labelledFirst(s.label, *faHead), *faHead, marker,
                                            s.label.isEmpty() ? 1 : 2, senseIndex, seq_++});
                }
                ++senseIndex;
            }
        }
    }
}

// Of the spellings that differ only in case, the one with fewest capitals:
// "aids" and "AIDS" become "Aids", a common word before an abbreviation.
QString chooseSpelling(const std::set<QString> &spellings) {
    auto capitals = [](const QString &s) {
        return std::count_if(s.begin(), s.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    };
    return *std::min_element(spellings.begin(), spellings.end(),
                             [&](const QString &a, const QString &b) {
                                 const auto ca = capitals(a);
                                 const auto cb = capitals(b);
                                 return ca != cb ? ca < cb : a < b;
                             });
}

WordListRecords Builder::finish() {
    WordListRecords out;
    qsizetype cut = 0;
    qsizetype duplicates = 0;
    for (auto &[key, entry] : en_) {
        std::vector<PersianSense> &senses = entry.senses;
        std::stable_sort(senses.begin(), senses.end(),
                         [](const PersianSense &a, const PersianSense &b) {
                             if (a.marker != b.marker) {
                                 return a.marker < b.marker;
                             }
                             if (a.rank != b.rank) {
                                 return a.rank < b.rank;
                             }
                             if (a.sense != b.sense) {
                                 return a.sense < b.sense;
                             }
                             return a.seq < b.seq;
                         });
        QStringList units;
        QSet<QString> seen;
        std::optional<Marker> group;
        for (const PersianSense &s : senses) {
            if (seen.contains(s.core)) {
                ++duplicates;
                continue;
            }
            seen.insert(s.core);
            const bool opens = !group || *group != s.marker;
            group = s.marker;
            units.append(opens && s.marker != Marker::None
                             ? markerText(s.marker) + QStringLiteral(": ") + s.text
                             : s.text);
        }
        qsizetype left = 0;
        const QString meaning = joinSenses(units, wordlist::kMaxEn2FaMeaning, &left);
        cut += left;
        if (meaning.isEmpty()) {
            drop(QStringLiteral("EN headword without a meaning that fits 325 characters"));
            continue;
        }
        if (entry.sourceSpellings.size() > 1) {
            drop(QStringLiteral("2015 headwords merged with one differing only in case"),
                 qsizetype(entry.sourceSpellings.size()) - 1);
        }
        out.en.append(chooseSpelling(entry.spellings));
        out.en2fa.append(meaning);
    }

    std::vector<const std::pair<const QString, std::vector<EnglishMeaning>> *> faOrder;
    for (auto &item : fa_) {
        std::stable_sort(item.second.begin(), item.second.end(),
                         [](const EnglishMeaning &a, const EnglishMeaning &b) {
                             return a.rank != b.rank ? a.rank < b.rank : a.seq < b.seq;
                         });
        faOrder.push_back(&item);
    }
    std::sort(faOrder.begin(), faOrder.end(),
              [](const auto *a, const auto *b) { return wordlist::faLess(a->first, b->first); });
    qsizetype explanations = 0;
    for (const auto *item : faOrder) {
        QStringList units;
        QSet<QString> seen;
        const bool hasShort =
            std::any_of(item->second.begin(), item->second.end(),
                        [](const EnglishMeaning &m) { return m.text.size() <= kLongSense; });
        for (const EnglishMeaning &m : item->second) {
            const QString folded = m.text.toLower();
            if (seen.contains(folded)) {
                ++duplicates;
                continue;
            }
            if (hasShort && m.text.size() > kLongSense) {
                ++explanations;
                continue;
            }
            seen.insert(folded);
            units.append(m.text);
        }
        qsizetype left = 0;
        const QString meaning = joinSenses(units, wordlist::kMaxFa2EnMeaning, &left);
        cut += left;
        if (meaning.isEmpty()) {
            drop(QStringLiteral("FA headword without a meaning that fits 788 characters"));
            continue;
        }
        out.fa.append(item->first);
        out.fa2en.append(meaning);
    }
    if (explanations > 0) {
        drop(QStringLiteral("long explanatory English sense beside shorter ones"), explanations);
    }
    if (duplicates > 0) {
        drop(QStringLiteral("duplicate senses of one headword merged"), duplicates);
    }
    if (cut > 0) {
        drop(QStringLiteral("senses cut off at the end of a long meaning"), cut);
    }
    report.englishHeadwords = out.en.size();
    report.persianHeadwords = out.fa.size();
    return out;
}

} // namespace

QString joinSenses(const QStringList &senses, qsizetype limit, qsizetype *dropped) {
    QString out;
    qsizetype kept = 0;
    for (const QString &s : senses) {
        const qsizetype extra = out.isEmpty() ? s.size() : s.size() + 3;
        if (out.size() + extra > limit) {
            break;
        }
        if (!out.isEmpty()) {
            out.append(wordlist::kSenseSeparator);
        }
        out.append(s);
        ++kept;
    }
    if (dropped) {
        *dropped = senses.size() - kept;
    }
    return out;
}

ConversionResult convert(const SourceTexts &sources) {
    Builder b;
    b.addTranslationList(decodeUtf8(sources.translationList, kTranslationListPath));
    b.addWiktextract(decodeUtf8(sources.wiktextract, kWiktextractPath));
    if (b.report.read.value(QStringLiteral("2015 translation list: lines")) == 0) {
        throw SourceError(std::string(kTranslationListPath) + " holds no entry line");
    }
    if (b.report.read.value(QStringLiteral("2022 extract: senses")) == 0) {
        throw SourceError(std::string(kWiktextractPath) + " holds no usable entry");
    }
    ConversionResult r;
    r.lists = b.finish();
    r.report = b.report;
    return r;
}

SourceTexts readSources(const QString &dir) {
    auto readFile = [&](const char *relative) {
        const QString path = QDir(dir).filePath(QString::fromUtf8(relative));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            throw SourceError("cannot read " + path.toStdString() + ": " +
                              f.errorString().toStdString());
        }
        QByteArray bytes = f.readAll();
        if (f.error() != QFileDevice::NoError) {
            throw SourceError("cannot read " + path.toStdString() + ": " +
                              f.errorString().toStdString());
        }
        return bytes;
    };
    return {readFile(kTranslationListPath), readFile(kWiktextractPath)};
}

void writeWordLists(const WordListRecords &lists, const QString &dir) {
    if (!QDir().mkpath(dir)) {
        throw SourceError("cannot create " + dir.toStdString());
    }
    const std::pair<WordList, const QStringList *> files[] = {
        {WordList::En, &lists.en},
        {WordList::En2Fa, &lists.en2fa},
        {WordList::Fa, &lists.fa},
        {WordList::Fa2En, &lists.fa2en},
    };
    for (const auto &[list, records] : files) {
        QSaveFile f(QDir(dir).filePath(wordListName(list)));
        if (!f.open(QIODevice::WriteOnly) || f.write(wordlist::encode(*records, list)) < 0 ||
            !f.commit()) {
            throw SourceError("cannot write " + f.fileName().toStdString() + ": " +
                              f.errorString().toStdString());
        }
    }
}

} // namespace vorlan::wordlists
