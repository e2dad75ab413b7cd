// The stages after reading, each on a small lexicon built here.
#include "converter.h"
#include "sourcefixtures.h"
#include "stages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan::wordlists;

namespace {

using enum PartOfSpeech;

struct SenseRow {
    SenseRow(QString c, PartOfSpeech p = None, bool r = false, QString l = {}, int o = 0,
             Origin g = Origin::TranslationList)
        : core(std::move(c)), pos(p), reversed(r), label(std::move(l)), order(o), origin(g) {}
    QString core;
    PartOfSpeech pos;
    bool reversed;
    QString label;
    int order;
    Origin origin = Origin::TranslationList;
    QString spelling;
};

Sense makeSense(const SenseRow &row) {
    Sense s;
    s.core = row.core;
    s.pos = row.pos;
    s.reversed = row.reversed;
    s.label = row.label;
    s.order = row.order;
    s.origin = row.origin;
    return s;
}

Lexicon englishLexicon(const QString &head, const std::vector<SenseRow> &rows) {
    Lexicon lex;
    for (const SenseRow &row : rows) {
        lex.addEnglishSense(row.spelling.isEmpty() ? head : row.spelling, makeSense(row));
    }
    return lex;
}

// The one English record the lexicon gives after merging and cleaning.
QString englishRecord(Lexicon lex) {
    Report report;
    mergeCaseVariants(lex, report);
    cleanSenses(lex, report);
    const WordListRecords out = renderLists(lex, report);
    return out.en.isEmpty() ? u"<none>"_s : out.en.front() + u" = "_s + out.en2fa.front();
}

TEST(MergeStage, OneHeadwordPerCaseFoldedSpelling) {
    const std::pair<QStringList, QString> cases[] = {
        {{u"Turkey"_s}, u"Turkey"_s},
        {{u"Turkey"_s, u"TURKEY"_s}, u"Turkey"_s},
        {{u"Aids"_s, u"AIDS"_s}, u"Aids"_s},
        {{u"McCarthy"_s, u"Mccarthy"_s}, u"Mccarthy"_s},
    };
    for (const auto &[spellings, chosen] : cases) {
        std::vector<SenseRow> rows;
        for (const QString &sp : spellings) {
            rows.emplace_back(u"ب"_s + sp).spelling = sp;
        }
        EXPECT_TRUE(
            englishRecord(englishLexicon(spellings.front(), rows)).startsWith(chosen + u" = "_s))
            << spellings.join(u',').toStdString();
    }
}

// Markers group the senses; within a group the source's own senses lead, the
// same Persian word is written once.
TEST(CleanStage, OrderAndDuplicatesOfEnglishSenses) {
    const std::pair<std::vector<SenseRow>, QString> cases[] = {
        {{{u"الف"_s, Noun}, {u"ب"_s, VerbT}, {u"ج"_s, Noun}}, u"(.n): الف - ج - (.vt): ب"_s},
        {{{u"ب"_s, Noun, true}, {u"الف"_s, Noun}}, u"(.n): الف - ب"_s},
        {{{u"ب"_s, Noun, true, u"rare"_s}, {u"ج"_s, Noun, true}}, u"(.n): (rare) ب - ج"_s},
        {{{u"الف"_s, Noun}, {u"الف"_s, Noun, true}}, u"(.n): الف"_s},
        {{{u"الف"_s, None}, {u"ب"_s, Adj}}, u"الف - (.adj): ب"_s},
        {{{u"ب"_s, Noun, true, {}, 2}, {u"الف"_s, Noun, true, {}, 1}}, u"(.n): الف - ب"_s},
    };
    for (const auto &[rows, meaning] : cases) {
        EXPECT_EQ(englishRecord(englishLexicon(u"Word"_s, rows)), u"Word = "_s + meaning);
    }
}

TEST(CleanStage, PersianSensesOwnFirstShortOverLong) {
    const QString longSense = u"A very long explanation "_s.repeated(6);
    const std::pair<std::vector<SenseRow>, QString> cases[] = {
        {{{u"Reversed"_s, None, true}, {u"Own"_s}}, u"Own - Reversed"_s},
        {{{u"Water"_s}, {u"water"_s, None, true}}, u"Water"_s},
        {{{longSense}, {u"Short"_s}}, u"Short"_s},
        {{{longSense}}, longSense},
        {{{u"Abdomen"_s, None, false, u"dialectal"_s}}, u"Abdomen (dialectal)"_s},
        // The extract's own senses, then WordNet's, then reversed ones.
        {{{u"Book"_s, None, true},
          {u"Volume"_s, None, false, {}, 0, Origin::Wordnet},
          {u"Writing"_s, None, false, {}, 0, Origin::Wiktextract}},
         u"Writing - Volume - Book"_s},
        // Dated senses go beside a current one, stay when they are all there is.
        {{{u"Letter"_s, None, false, u"archaic"_s, 0, Origin::Wiktextract},
          {u"Book"_s, None, false, {}, 0, Origin::Wiktextract}},
         u"Book"_s},
        {{{u"Letter"_s, None, false, u"archaic"_s, 0, Origin::Wiktextract}}, u"Letter (archaic)"_s},
    };
    for (const auto &[rows, meaning] : cases) {
        Lexicon lex;
        for (const SenseRow &row : rows) {
            lex.addPersianSense(u"آب"_s, makeSense(row));
        }
        Report report;
        cleanSenses(lex, report);
        const WordListRecords out = renderLists(lex, report);
        ASSERT_EQ(out.fa2en.size(), 1);
        EXPECT_EQ(out.fa2en.front(), meaning);
    }
}

} // namespace
