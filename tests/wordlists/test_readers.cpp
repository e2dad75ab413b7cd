// The readers of the wordnet links and the CLDR names, on small sources,
// seen in the lists the later stages write from what they read.
#include "converter.h"
#include "readers.h"
#include "sourcefixtures.h"
#include "wordlistrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan::wordlists;
namespace fx = vorlan::wordlists::fixtures;

namespace {

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
    QList<QByteArray> links;
    const std::pair<QList<QByteArray>, const char *> linked[] = {
        {{"aquarium"}, "آکواریوم"},
        {{"apartment", "flat"}, "آپارتمان"},
        {{"decorate", "adorn", "grace"}, "مبلمان"}};
    for (qsizetype at = 40; const auto &[lemmas, persian] : linked) {
        synsets << fx::synsetLine(at, lemmas);
        links << QByteArray::number(at).rightJustified(8, '0') + "-n\tfas:lemma\t" + persian;
        at += synsets.back().size();
    }
    WordnetData wn;
    wn.noun = fx::wordnetData(synsets);
    links << "garbage line"
          << "00999999-n\tfas:lemma\tآب";
    Lexicon lex = fx::lexicon({fx::Row(u"Apartment"_s, u"آپارتمان"_s, PartOfSpeech::None)});
    Report report;
    readWordnetLinks(QString::fromUtf8("# Wiktionary\tfas\n" + links.join('\n')), wn, lex, report);
    EXPECT_EQ(report.dropped.value(u"Wordnet link not of the form OFFSET-POS fas:lemma WORD"_s), 1);
    EXPECT_EQ(report.dropped.value(u"Wordnet link to no synset of WordNet 3.0"_s), 1);
    // The link confirms a noun for the sense given without a part of speech;
    // the pair it made itself has its own.
    const QString apartment = vorlan::wordlist::enSortKey(u"Apartment"_s);
    EXPECT_EQ(lex.linkedPos,
              (std::map<QString, std::set<PartOfSpeech>>{{apartment, {PartOfSpeech::Noun}}}));
    EXPECT_EQ(lex.english.at(apartment).senses.size(), 1u); // not repeated
    // Given by another source, the pair gains the direction that was missing.
    fx::expectMeanings(fx::stages(lex),
                       {u"Aquarium → (.n): آكواريوم"_s, u"آكواريوم → Aquarium"_s,
                        u"Apartment → آپارتمان"_s, u"آپارتمان → Apartment"_s, u"Flat → <absent>"_s,
                        u"Decorate → <absent>"_s, u"Adorn → <absent>"_s, u"مبلمان → <absent>"_s});
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
    fx::expectMeanings(fx::stages(lex),
                       {u"Italian → ايتاليايي"_s, u"ايتاليايي → Italian"_s,
                        u"Swiss German → آلماني سوئيسي"_s, u"Eagle → عقاب"_s,
                        u"صندوق پست → Postbox"_s, u"Chinese → <absent>"_s, u"چيني → <absent>"_s,
                        u"Nowhere → <absent>"_s, u"Hollow left-pointing triangle → <absent>"_s,
                        u"مثلث → <absent>"_s, u"Oncoming taxi → <absent>"_s});
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
