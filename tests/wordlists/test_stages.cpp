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
