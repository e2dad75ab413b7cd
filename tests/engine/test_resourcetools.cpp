// The word-list store: loading, records, searches and their result lists.
#include "errors.h"
#include "fixtures.h"
#include "resourcetools.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vorlan::ResourceTools;
using vorlan::SubscriptOutOfRangeError;
using vorlan::testing::encodeWordList;
using Found = std::vector<int32_t>;

namespace {

// One store over one text, loaded as the dictionary loads its lists.
struct Store {
    explicit Store(const QByteArray &bytes, const QString &separator = u"\r\n"_s) {
        provider.add(u"T"_s, bytes);
        tools.setResName(u"t"_s); // type names match without regard to case
        tools.setResSplitor(separator);
        tools.setResIndex(1);
    }
    explicit Store(const QStringList &records) : Store(encodeWordList(records, true)) {}
    Found find(const QString &query) {
        tools.setSearchText(query);
        tools.StartSearch();
        return tools.FoundList() ? tools.FoundList()->values() : Found{};
    }
    vorlan::MemoryResourceProvider provider;
    ResourceTools tools{provider};
};

// The last record ends with U+0000, as in the built-in lists.
const QStringList kWords = {
    u"A"_s,          u"Aardwolf"_s,   u"Aba"_s, u"Ababa"_s,
    u"Ablate"_s,     u"ABLATE Too"_s, u"Bar"_s, u"\u0643\u062A\u0627\u0628"_s,
    u"Zymosthenic"_s};

TEST(StoreLoading, LoadsOnceAllThreeAreSetAndKeepsItsListOnFailure) {
    vorlan::MemoryResourceProvider provider;
    provider.add(u"EN"_s, encodeWordList({u"One"_s, u"Two"_s}, false));
    ResourceTools store(provider);
    store.setResName(u"en"_s);
    store.setResIndex(1);
    EXPECT_EQ(store.RecordNumber(), 0);
    EXPECT_THROW(store.GetIndex(0), vorlan::NoRecordArrayError);
    store.setSearchText(u"ab"_s);
    EXPECT_THROW(store.StartSearch(), vorlan::NoRecordArrayError);
    int32_t from = 5;
    int32_t to = 1;
    EXPECT_NO_THROW(store.StartSearch(from, to)); // an empty range touches no record

    store.setResSplitor(u"\r\n"_s);
    EXPECT_THROW(store.setResName(u"Nope"_s), vorlan::ResourceNotFoundError);
    EXPECT_THROW(store.setResIndex(2), vorlan::ResourceNotFoundError);
    EXPECT_EQ(store.RecordNumber(), 1);
    EXPECT_EQ(store.GetIndex(1), u"Two"_s);
    EXPECT_THROW(store.GetIndex(2), SubscriptOutOfRangeError);
    EXPECT_THROW(store.GetIndex(-1), SubscriptOutOfRangeError);
}

TEST(StoreLoading, SplitsExactlyAndDropsOnlyTheFirstCharacter) {
    const struct {
        QString text;
        QString separator;
        QStringList records;
    } cases[] = {
        {u"\uFEFFa\r\nb"_s, u"\r\n"_s, {u"a"_s, u"b"_s}},
        {u"\uFEFFa\r\n\r\nb\r\n"_s, u"\r\n"_s, {u"a"_s, u""_s, u"b"_s, u""_s}},
        {u"\uFEFF"_s, u"\r\n"_s, {u""_s}},
        {u""_s, u"\r\n"_s, {u""_s}},
        {u"xa\nb\r"_s, u"\r\n"_s, {u"a\nb\r"_s}},      // lone CR and LF are not separators
        {u"Abc\r\nd"_s, u"\r\n"_s, {u"bc"_s, u"d"_s}}, // no mark: the first letter is lost
        {u"\uFEFFaXXbXXXc"_s, u"XX"_s, {u"a"_s, u"b"_s, u"Xc"_s}},
        {u"\uFEFFlast\0"_s, u"\r\n"_s, {QString(u"last\0"_s)}},
    };
    for (const auto &c : cases) {
        // The same bytes again at an odd address, with an odd byte after them.
        const QByteArray bytes = vorlan::testing::utf16le(c.text);
        const QByteArray padded = 'x' + bytes + 'y';
        for (const QByteArray &buffer :
             {bytes, QByteArray::fromRawData(padded.constData() + 1, bytes.size() + 1)}) {
            Store s(buffer, c.separator);
            QStringList records;
            for (int32_t i = 0; i <= s.tools.RecordNumber(); ++i) {
                records << s.tools.GetIndex(i);
            }
            EXPECT_EQ(records, c.records) << c.text.toStdString();
        }
    }
}

TEST(StoreSearch, MatchesWholeLowerCasedRecords) {
    // U+0130 lower-cases to two code units, which shifts every later record.
    const QStringList dotted = {u"\u0130stanbul"_s, u"ISTANBUL"_s, u"Sea"_s, u"Z"_s};
    const QStringList split = {u"ab"_s, u"cd"_s, u"xbc"_s, u"b\r"_s};
    const struct {
        const QStringList &records;
        QString query;
        Found found;
    } cases[] = {
        {dotted, u"*stanbul"_s, {0, 1}},
        {dotted, u"sea"_s, {2}},
        {dotted, u"*ea*"_s, {2}},
        {dotted, u"*a*e*"_s, {}},
        {split, u"*b\r\nc*"_s, {}}, // an occurrence never spans records
        {split, u"*bc*"_s, {2}},
        {split, u"*b\r*"_s, {3}},
        {split, u"*[b]*"_s, {0, 2, 3}},
        // A pattern as long as the longest record may still match it; in
        // `dotted` that is the lower case, one unit longer than the record.
        {kWords, u"zymosthenic[!]"_s, {8}},
        {kWords, u"zymosthenic[!]#"_s, {}},
        {dotted, u"i[\u0307]stanbul"_s, {0}},
        {dotted, u"*[\u0307]stanbul"_s, {0}},
    };
    for (const auto &c : cases) {
        Store s(c.records);
        EXPECT_EQ(s.find(c.query), c.found) << c.query.toStdString();
        EXPECT_EQ(s.tools.FoundNumber(), s.tools.FoundList()->Count());
    }
}

// Each search makes a new list, which later searches leave alone, and writes
// back the bounds it used; a range that leaves the list fails after the
// matches before it. A query whose probe is too short changes nothing.
TEST(StoreSearch, RangesWriteBackAndFailOutsideTheList) {
    Store s(kWords);
    s.find(u"*ar*"_s);
    const vorlan::ResultListRef first = s.tools.FoundList();
    for (const QString &query : {u"a"_s, u"*a*"_s, u"a?"_s, u"a*?"_s, u""_s, u"  x  "_s}) {
        int32_t from = -1;
        int32_t to = -1;
        s.tools.setSearchText(query);
        s.tools.StartSearch(from, to);
        EXPECT_EQ(std::tuple(s.tools.FoundList(), s.tools.FoundNumber(), from, to),
                  std::tuple(first, 2, -1, -1))
            << query.toStdString();
    }
    const struct {
        int32_t from;
        int32_t to;
        Found found;
        bool fails;
        int32_t usedFrom;
        int32_t usedTo;
    } cases[] = {
        {-1, -1, {1, 2, 3, 4, 5}, false, 0, 8},
        {3, -1, {3, 4, 5}, false, 3, 8},
        {3, 4, {3, 4}, false, 3, 4},
        {4, 3, {}, false, 4, 3},               // nothing examined
        {1, 12, {1, 2, 3, 4, 5}, true, 1, 12}, // fails after the matches before 9
        {-3, 2, {}, true, -3, 2},
    };
    s.tools.setSearchText(u"*a*a*"_s);
    for (auto c : cases) {
        if (c.fails) {
            EXPECT_THROW(s.tools.StartSearch(c.from, c.to), SubscriptOutOfRangeError);
        } else {
            s.tools.StartSearch(c.from, c.to);
        }
        EXPECT_NE(s.tools.FoundList(), first);
        EXPECT_EQ(s.tools.FoundList()->values(), c.found) << c.from << ".." << c.to;
        EXPECT_EQ(s.tools.FoundNumber(), c.fails ? 0 : static_cast<int32_t>(c.found.size()));
        EXPECT_EQ(std::pair(c.from, c.to), std::pair(c.usedFrom, c.usedTo));
    }
    EXPECT_EQ(first->values(), (Found{1, 6}));
}

TEST(NarrowSearch, FoldsArabicFormsOnBothSidesAndCountsQuestionMarks) {
    Store s(QStringList{u"\u0622\u0628"_s, u"\u0627\u0628"_s, u"\u0623\u0628\u064E"_s,
                        u"\u0645\u062F\u0631\u0633\u0629"_s, u"x"_s});
    const std::pair<QString, Found> cases[] = {
        {u"\u0625\u0628"_s, {0, 1, 2}},          // alef forms and marks
        {u"*\u0647*"_s, {0, 1, 2}},              // probe too short: the list stays
        {u"*\u0631\u0633\u0647"_s, {3}},         // teh marbuta read as heh
        {u"?x"_s, {}},                           // '?' counts here, so this one searches
        {u"\u0645\u062F\u0631\u0633[!]"_s, {3}}, // as long as the longest record
        {u"\u0645\u062F\u0631\u0633[!]#"_s, {}},
    };
    for (const auto &[query, found] : cases) {
        s.tools.setSearchText(query);
        s.tools.StartSearch2();
        EXPECT_EQ(s.tools.FoundList()->values(), found) << query.toStdString();
    }
}

TEST(NarrowSearch, DefaultEndOverflowsPast32767) {
    QStringList records;
    for (int i = 0; i < 32769; ++i) {
        records << QString::number(i);
    }
    Store s(records);
    s.tools.setSearchText(u"12*"_s);
    int16_t from = 0;
    int16_t to = 200;
    s.tools.StartSearch2(from, to);
    EXPECT_EQ(s.tools.FoundList()->values(),
              (Found{12, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129}));
    EXPECT_THROW(s.tools.StartSearch2(), vorlan::OverflowError);
    EXPECT_EQ(s.tools.FoundList()->Count(), 0); // replaced before the overflow
}

TEST(ResultList, OneBasedPositionsChecked) {
    vorlan::ResultList list;
    for (int32_t value : {9, 12, 40}) {
        list.Add(value);
    }
    list.Remove(2);
    EXPECT_EQ(std::tuple(list.Count(), list.Item(1), list.Item(2)), std::tuple(2, 9, 40));
    for (int32_t outside : {0, 3}) {
        EXPECT_THROW(list.Item(outside), SubscriptOutOfRangeError);
        EXPECT_THROW(list.Remove(outside), SubscriptOutOfRangeError);
    }
}

} // namespace
