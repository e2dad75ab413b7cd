// The readers of the wordnet links and the CLDR names, on small sources.
#include "converter.h"
#include "readers.h"
#include "sourcefixtures.h"
#include "wordlistrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan::wordlists;
namespace fx = vorlan::wordlists::fixtures;
using fx::Row;

namespace {

// An English entry's Persian senses or a Persian entry's English ones, joined by "|".
template <typename Entries> QString coresOf(const Entries &entries, const QString &key) {
    QStringList cores;
    if (const auto it = entries.find(key); it != entries.end()) {
        for (const Sense &s : it->second.senses) {
            cores << s.core;
        }
    }
    return cores.join(u'|');
}

// Each HEAD=SENSES row: the senses of the entry of HEAD, none where it has no entry.
void expectSenses(const Lexicon &lex, const QStringList &rows) {
    for (const QString &row : rows) {
        const QString head = row.section(u'=', 0, 0);
        EXPECT_EQ(vorlan::wordlist::containsPersianLetter(head)
                      ? coresOf(lex.persian, head)
                      : coresOf(lex.english, vorlan::wordlist::enSortKey(head)),
                  row.section(u'=', 1))
            << row.toStdString();
    }
}

TEST(WordnetReader, FindsSynsetsAtTheirOffsetOrShiftedByDebiansPatches) {
    const QByteArray first = fx::synsetLine(40, {"lie"});
    const qsizetype second = 40 + first.size();
    const QByteArray data = fx::wordnetData(
        {first, fx::synsetLine(second, {"galore(ip)", "ready_to_hand(p)", "Burmese"})});
    const std::pair<qsizetype, QString> cases[] = {
        {40, u"lie"_s},
        {second, u"galore|ready to hand|Burmese"_s},
        {second - 1, u"galore|ready to hand|Burmese"_s},  // shifted by one byte
        {second - 18, u"galore|ready to hand|Burmese"_s}, // by a patched line
        {second - kWordnetShift - 1, u""_s},              // too far from any synset
        {0, u""_s},                                       // the licence header
        {data.size() + 100, u""_s}};
    for (const auto &[offset, lemmas] : cases) {
        EXPECT_EQ(synsetLemmas(data, offset).join(u'|'), lemmas) << offset;
    }
}

// A link enters for a synset's only lemma, or for the lemma another source
// pairs with the Persian word; never for the other synonyms.
TEST(WordnetReader, TakesOnlyLemmasThePersianWordTranslates) {
    QList<QByteArray> synsets;
    qsizetype at = 40;
    const QList<QList<QByteArray>> lemmaSets = {
        {"aquarium"}, {"apartment", "flat"}, {"decorate", "adorn", "grace"}};
    QList<qsizetype> offsets;
    for (const auto &lemmas : lemmaSets) {
        synsets << fx::synsetLine(at, lemmas);
        offsets << at;
        at += synsets.back().size();
    }
    WordnetData wn;
    wn.noun = fx::wordnetData(synsets);
    const auto link = [](qsizetype offset, const char *persian) {
        return QByteArray::number(offset).rightJustified(8, '0') + "-n\tfas:lemma\t" + persian +
               '\n';
    };
    const QByteArray text = "# Wiktionary\tfas\n" + link(offsets[0], "آکواریوم") +
                            link(offsets[1], "آپارتمان") + link(offsets[2], "مبلمان") +
                            "garbage line\n" + link(999999, "آب");
    Lexicon lex = fx::lexicon({Row(u"Apartment"_s, u"آپارتمان"_s, PartOfSpeech::None)});
    Report report;
    readWordnetLinks(QString::fromUtf8(text), wn, lex, report);
    expectSenses(lex, {u"Aquarium=آكواريوم"_s, u"آكواريوم=Aquarium"_s,
                       // Given by another source, not repeated; the direction that was missing.
                       u"Apartment=آپارتمان"_s, u"آپارتمان=Apartment"_s, u"Flat="_s, u"Decorate="_s,
                       u"Adorn="_s, u"مبلمان="_s});
    EXPECT_EQ(report.dropped.value(u"Wordnet link not of the form OFFSET-POS fas:lemma WORD"_s), 1);
    EXPECT_EQ(report.dropped.value(u"Wordnet link to no synset of WordNet 3.0"_s), 1);
    // The link confirms a noun for the sense given without a part of speech;
    // the pair it made itself has its own.
    const std::map<QString, std::set<PartOfSpeech>> linked = {
        {vorlan::wordlist::enSortKey(u"Apartment"_s), {PartOfSpeech::Noun}}};
    EXPECT_EQ(lex.linkedPos, linked);
}

TEST(CldrReader, PairsNamesByCodeAndShortSymbolNamesOrFails) {
    const CldrTexts texts = fx::cldr(
        {{u"it"_s, u"Italian"_s, u"ایتالیایی"_s},
         {u"gsw"_s, u"Swiss German"_s, u"آلمانی سوئیسی"_s},
         {u"zh-alt-short"_s, u"Chinese"_s, u"چینی"_s},
         {u"xx"_s, u"Nowhere"_s, u""_s}},
        {{u"🦅"_s, u"eagle"_s, u"عقاب"_s},
         {u"📮"_s, u"postbox"_s, u"صندوق پست"_s},
         {u"◃"_s, u"hollow left-pointing triangle"_s, u"مثلث"_s},
         {u"🚖"_s, u"oncoming taxi"_s, u"تاکسی‌ای که نزدیک می‌شود"_s}});
    Lexicon lex;
    Report report;
    readCldr(texts, lex, report);
    expectSenses(lex,
                 {u"Italian=ايتاليايي"_s, u"ايتاليايي=Italian"_s, u"Swiss German=آلماني سوئيسي"_s,
                  u"Eagle=عقاب"_s, u"صندوق پست=Postbox"_s, u"Chinese="_s, u"Nowhere="_s,
                  u"Hollow left-pointing triangle="_s, u"Oncoming taxi="_s});
    // A language's name is a name; a symbol's is a common word.
    EXPECT_TRUE(lex.english.at(u"italian"_s).senses[0].name &&
                !lex.english.at(u"eagle"_s).senses[0].name);
    // A file that is not the JSON it should be is a source error.
    for (const char *bad : {"not json", "[1, 2]", R"({"main": {"en": {}}})"}) {
        CldrTexts garbled = fx::cldr();
        garbled.scriptsFa = bad;
        EXPECT_THROW(readCldr(garbled, lex, report), SourceError) << bad;
    }
}

} // namespace
