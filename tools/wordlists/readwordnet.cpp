#include "englishtext.h"
#include "normalise.h"
#include "partofspeech.h"
#include "readers.h"
#include "wordlistrules.h"

#include <QRegularExpression>

#include <algorithm>

namespace vorlan::wordlists {

namespace {

// A data line: `OFFSET LEXFILE SSTYPE WCOUNT(hex) WORD LEXID [WORD LEXID]...`.
QStringList lemmasOfLine(const QByteArray &line) {
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() < 4) {
        return {};
    }
    bool ok = false;
    const int count = fields[3].toInt(&ok, 16);
    if (!ok || count <= 0 || fields.size() < 4 + 2 * count) {
        return {};
    }
    static const QRegularExpression position(QStringLiteral(R"(\((a|p|ip)\)$)"));
    QStringList lemmas;
    for (int i = 0; i < count; ++i) {
        QString lemma = QString::fromLatin1(fields[4 + 2 * i]);
        lemma.remove(position);
        lemma.replace(u'_', u' ');
        lemmas.append(lemma);
    }
    return lemmas;
}

const QByteArray *dataFor(QStringView pos, const WordnetData &wordnet) {
    if (pos == u"n") {
        return &wordnet.noun;
    }
    if (pos == u"v") {
        return &wordnet.verb;
    }
    if (pos == u"a" || pos == u"s") {
        return &wordnet.adj;
    }
    if (pos == u"r") {
        return &wordnet.adv;
    }
    return nullptr;
}

bool englishHas(const Lexicon &lexicon, const QString &english, const QString &persian) {
    const auto e = lexicon.english.find(wordlist::enSortKey(english));
    return e != lexicon.english.end() &&
           std::any_of(e->second.senses.begin(), e->second.senses.end(),
                       [&](const Sense &s) { return s.core == persian; });
}

bool persianHas(const Lexicon &lexicon, const QString &persian, const QString &english) {
    const auto p = lexicon.persian.find(persian);
    return p != lexicon.persian.end() &&
           std::any_of(p->second.senses.begin(), p->second.senses.end(), [&](const Sense &s) {
               return s.core.compare(english, Qt::CaseInsensitive) == 0;
           });
}

} // namespace

QStringList wordnetLineLemmas(const QByteArray &line) {
    bool ok = false;
    line.left(8).toLongLong(&ok);
    return ok && line.size() > 8 && line[8] == ' ' ? lemmasOfLine(line) : QStringList();
}

QStringList synsetLemmas(const QByteArray &data, qsizetype offset) {
    for (qsizetype at = offset; at >= 0 && at < data.size() && at <= offset + kWordnetShift; ++at) {
        if (at > 0 && data[at - 1] != '\n') {
            continue;
        }
        const qsizetype end = data.indexOf('\n', at);
        const QByteArray line = data.mid(at, end < 0 ? -1 : end - at);
        bool ok = false;
        if (line.left(8).toLongLong(&ok) == at && ok && line.size() > 8 && line[8] == ' ') {
            return lemmasOfLine(line);
        }
        return {};
    }
    return {};
}

void readWordnetLinks(const QString &text, const WordnetData &wordnet, Lexicon &lexicon,
                      Report &report) {
    // Decide on every link first, so that a pair added here never counts as
    // "paired elsewhere" for the next link.
    struct Pair {
        QString english;
        QString persian;
        PartOfSpeech pos;
        QString raw; // the Persian as the link writes it
    };
    std::vector<Pair> pairs;
    for (const QString &line : textLines(text)) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        report.count(QStringLiteral("Wordnet links: rows"));
        const QStringList fields = line.split(u'\t');
        const qsizetype dash = fields.value(0).indexOf(u'-');
        const QByteArray *data =
            dash == 8 ? dataFor(QStringView(fields[0]).sliced(9), wordnet) : nullptr;
        bool ok = false;
        const qsizetype offset = fields[0].left(8).toLongLong(&ok);
        if (fields.size() != 3 || !ok || !data || fields[1] != u"fas:lemma") {
            report.drop(QStringLiteral("Wordnet link not of the form OFFSET-POS fas:lemma WORD"));
            continue;
        }
        const QStringList lemmas = synsetLemmas(*data, offset);
        if (lemmas.isEmpty()) {
            report.drop(QStringLiteral("Wordnet link to no synset of WordNet 3.0"));
            continue;
        }
        const auto persian = persianHeadword(fields[2], report);
        if (!persian) {
            continue;
        }
        const QString sourcePos = fields[0].sliced(9);
        const PartOfSpeech pos = partOfSpeech(sourcePos == u"n"   ? u"n"
                                              : sourcePos == u"v" ? u"v"
                                              : sourcePos == u"r" ? u"adv"
                                                                  : u"adj",
                                              {}, {*persian});
        for (const QString &lemma : lemmas) {
            const QString english = makeEnHeadword(lemma);
            if (english.isEmpty()) {
                report.drop(QStringLiteral("Wordnet lemma not a valid EN headword"));
                continue;
            }
            if (lemmas.size() > 1 && !englishHas(lexicon, english, *persian) &&
                !persianHas(lexicon, *persian, english)) {
                report.drop(QStringLiteral("Wordnet synonym the Persian word was not given for"));
                continue;
            }
            pairs.push_back({english, *persian, pos, fields[2]});
        }
    }
    // A pair another source already gives keeps that source's sense, with
    // its label; a link only fills the direction that is missing.
    qsizetype added = 0;
    qsizetype confirmed = 0;
    for (const Pair &p : pairs) {
        lexicon.noteJoiners(p.persian, p.raw);
        const auto e = lexicon.english.find(wordlist::enSortKey(p.english));
        if (e != lexicon.english.end() &&
            std::any_of(e->second.senses.begin(), e->second.senses.end(), [&](const Sense &s) {
                return s.core == p.persian && s.pos == PartOfSpeech::None;
            })) {
            ++confirmed;
            lexicon.linkedPos[e->first].insert(p.pos);
        }
        if (englishHas(lexicon, p.english, p.persian) &&
            persianHas(lexicon, p.persian, p.english)) {
            continue;
        }
        ++added;
        if (!englishHas(lexicon, p.english, p.persian)) {
            Sense en;
            en.core = p.persian;
            en.pos = p.pos;
            en.origin = Origin::Wordnet;
            lexicon.addEnglishSense(p.english, en);
        }
        if (!persianHas(lexicon, p.persian, p.english)) {
            Sense fa;
            fa.core = p.english;
            fa.pos = p.pos;
            fa.origin = Origin::Wordnet;
            lexicon.addPersianSense(p.persian, fa);
        }
    }
    report.count(QStringLiteral("Wordnet links: pairs not given by another source"), added);
    report.count(QStringLiteral("Wordnet links: part of speech of a sense given without one"),
                 confirmed);
}

void readWordnetCounts(const QByteArray &cntlist, Lexicon &lexicon, Report &report) {
    static const PartOfSpeech byType[] = {PartOfSpeech::None,  PartOfSpeech::Noun,
                                          PartOfSpeech::VerbT, PartOfSpeech::Adj,
                                          PartOfSpeech::Adv,   PartOfSpeech::Adj};
    for (const QByteArray &line : cntlist.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        const qsizetype percent = fields.value(0).indexOf('%');
        bool ok = false;
        const int count = fields.value(2).toInt(&ok);
        const int type = percent > 0 ? fields[0].at(percent + 1) - '0' : 0;
        if (fields.size() != 3 || !ok || count < 0 || type < 1 || type > 5) {
            continue;
        }
        const QString lemma = QString::fromLatin1(fields[0].left(percent)).replace(u'_', u' ');
        lexicon.taggedCounts[wordlist::enSortKey(lemma)][byType[type]] += count;
        report.count(QStringLiteral("WordNet tagged counts: senses"));
    }
}

} // namespace vorlan::wordlists
