#include "folding.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Folding, FoldsInOrderWithoutLowerCasing) {
    const struct {
        QString in;
        QString folded;
    } cases[] = {
        {u"Book?"_s, u"Book\u061F"_s},
        {u"\u06A9\u062A\u0627\u0628"_s, u"\u0643\u062A\u0627\u0628"_s},
        {u"\u0622\u0641\u062A\u0627\u0628\u0649"_s, u"\u0622\u0641\u062A\u0627\u0628\u064A "_s},
        {u"a\u200Fb"_s, u"a b"_s},
        {u"\u06CC"_s, u"\u064A"_s},
        {u"a\u200Cb"_s, u"a b"_s},
        {u"\u00FE"_s, u"\u00FE"_s}, // code 254 of Windows-1252 is not ours
        {u"*[A-Z]#"_s, u"*[A-Z]#"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(vorlan::foldQuery(c.in), c.folded) << c.in.toStdString();
    }
    EXPECT_EQ(vorlan::foldQueryForSearch(u"ABC?\u06A9"_s), u"abc\u061F\u0643"_s);
}

TEST(Folding, ProbeCountsRealCharacters) {
    const struct {
        QString query;
        QString probe;
        bool searchable;
    } cases[] = {
        {u"a"_s, u"a"_s, false},    {u" a "_s, u"a"_s, false},   {u"a*"_s, u"a"_s, false},
        {u"?a"_s, u"a"_s, false},   {u"*a* ?"_s, u"a"_s, false}, {u" ab "_s, u"ab"_s, true},
        {u"\ta"_s, u"\ta"_s, true}, {u"*la"_s, u"la"_s, true},   {u""_s, u""_s, false},
        {u"a b"_s, u"a b"_s, true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(vorlan::probe(c.query), c.probe) << c.query.toStdString();
        EXPECT_EQ(vorlan::isSearchable(c.query), c.searchable) << c.query.toStdString();
    }
}

} // namespace
