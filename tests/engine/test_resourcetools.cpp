#include "errors.h"
#include "fixtures.h"
#include "resourcetools.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vorlan::MemoryResourceProvider;
using vorlan::ResourceTools;
using vorlan::testing::encodeWordList;

namespace {

QByteArray utf16le(const QString &text) {
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

void load(ResourceTools &store, const QString &name = u"En"_s,
          const QString &separator = u"\r\n"_s) {
    store.setResName(name);
    store.setResSplitor(separator);
    store.setResIndex(1);
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        provider.add(u"EN"_s,
                     encodeWordList({u"A"_s, u"Aardwolf"_s, u"Aba"_s, u"Abaca"_s, u"Ablate"_s,
                                     u"ABLATE Too"_s, u"Bar"_s, u"Zymosthenic"_s},
                                    true));
        load(store);
    }
    std::vector<int32_t> search(const QString &query) {
        store.setSearchText(query);
        store.StartSearch();
        return store.FoundList() ? store.FoundList()->values() : std::vector<int32_t>{};
    }
    MemoryResourceProvider provider;
    ResourceTools store{provider};
};

TEST(StoreLoading, LoadsOnlyOnceAllThreePropertiesAreSet) {
    MemoryResourceProvider provider;
    provider.add(u"EN"_s, encodeWordList({u"One"_s, u"Two"_s}, false));
    ResourceTools store(provider);
    store.setResName(u"en"_s); // type names match without regard to case
    store.setResIndex(1);
    EXPECT_FALSE(store.isLoaded());
    EXPECT_EQ(store.RecordNumber(), 0);
    store.setResSplitor(u"\r\n"_s);
    ASSERT_TRUE(store.isLoaded());
    EXPECT_EQ(store.RecordNumber(), 1);
    EXPECT_EQ(store.GetIndex(0), u"One"_s);
    EXPECT_EQ(store.ResName(), u"en"_s);
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
        MemoryResourceProvider provider;
        provider.add(u"T"_s, utf16le(c.text));
        ResourceTools store(provider);
        load(store, u"T"_s, c.separator);
        ASSERT_EQ(store.RecordNumber(), c.records.size() - 1) << c.text.toStdString();
        for (int i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(store.GetIndex(i), c.records[i]) << c.text.toStdString() << " #" << i;
        }
    }
}

TEST(StoreLoading, ReadsAnyByteBuffer) {
    // An odd last byte belongs to no code unit; bytes may sit at an odd address.
    const QByteArray padded = QByteArray(1, '\0') + utf16le(u"\uFEFFAbc\r\nDe"_s) + 'x';
    MemoryResourceProvider provider;
    provider.add(u"T"_s, padded.mid(1));
    ResourceTools store(provider);
    load(store, u"T"_s);
    EXPECT_EQ(store.RecordNumber(), 1);
    EXPECT_EQ(store.GetIndex(1), u"De"_s);
}

TEST(StoreLoading, MissingResourceKeepsTheEarlierList) {
    MemoryResourceProvider provider;
    provider.add(u"EN"_s, encodeWordList({u"One"_s, u"Two"_s}, false));
    ResourceTools store(provider);
    load(store);
    EXPECT_THROW(store.setResName(u"Nope"_s), vorlan::ResourceNotFoundError);
    EXPECT_EQ(store.ResName(), u"Nope"_s);
    EXPECT_EQ(store.RecordNumber(), 1);
    EXPECT_EQ(store.GetIndex(1), u"Two"_s);
    EXPECT_THROW(store.setResIndex(2), vorlan::ResourceNotFoundError);
}

TEST(StoreLoading, UnloadedStoreHasNoRecords) {
    MemoryResourceProvider provider;
    ResourceTools store(provider);
    EXPECT_THROW(store.GetIndex(0), vorlan::NoRecordArrayError);
    store.setSearchText(u"ab"_s);
    EXPECT_THROW(store.StartSearch(), vorlan::NoRecordArrayError);
    int32_t from = 5;
    int32_t to = 1;
    EXPECT_NO_THROW(store.StartSearch(from, to)); // an empty range touches no record
}

TEST_F(StoreTest, GetIndexChecksTheRange) {
    EXPECT_EQ(store.GetIndex(0), u"A"_s);
    EXPECT_EQ(store.GetIndex(7), QString(u"Zymosthenic\0"_s));
    EXPECT_THROW(store.GetIndex(8), vorlan::SubscriptOutOfRangeError);
    EXPECT_THROW(store.GetIndex(-1), vorlan::SubscriptOutOfRangeError);
}

TEST_F(StoreTest, SearchesWithFoldingAndCase) {
    const struct {
        QString query;
        std::vector<int32_t> found;
    } cases[] = {
        {u"ablate"_s, {4}},
        {u"ABLATE"_s, {4}},
        {u"*ABLATE*"_s, {4, 5}},
        {u"*aba*"_s, {2, 3}},
        {u"ab*"_s, {2, 3, 4, 5}},
        {u" ab "_s, {}},        // spaces stay in the pattern
        {u"ab?"_s, {}},         // '?' is folded to U+061F
        {u"zymosthenic"_s, {}}, // the last record ends with U+0000
        {u"zymosthenic*"_s, {7}},
        {u"[a-b]*"_s, {0, 1, 2, 3, 4, 5, 6}},
        {u"*[ab"_s, {}}, // malformed: nothing, no error
        {u"*e*#*"_s, {}},
        {u"*[a-b]l*"_s, {4, 5}},
        {u"*a[!a-b]*"_s, {1, 3, 4, 5, 6}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(search(c.query), c.found) << c.query.toStdString();
        EXPECT_EQ(store.FoundNumber(), static_cast<int32_t>(c.found.size()));
    }
}

TEST_F(StoreTest, ShortProbeRunsNoSearch) {
    search(u"*ab*"_s);
    const vorlan::ResultListRef before = store.FoundList();
    const int32_t count = store.FoundNumber();
    for (const QString &query : {u"a"_s, u"*a*"_s, u"a?"_s, u"a*?"_s, u""_s, u"  x  "_s}) {
        int32_t from = -1;
        int32_t to = -1;
        store.setSearchText(query);
        store.StartSearch(from, to);
        EXPECT_EQ(store.FoundList(), before) << query.toStdString();
        EXPECT_EQ(store.FoundNumber(), count);
        EXPECT_EQ(from, -1); // nothing written back either
        EXPECT_EQ(to, -1);
    }
}

TEST_F(StoreTest, EachSearchMakesANewList) {
    search(u"*ab*"_s);
    const vorlan::ResultListRef first = store.FoundList();
    const std::vector<int32_t> firstValues = first->values();
    search(u"*ar*"_s);
    EXPECT_NE(store.FoundList(), first);
    EXPECT_EQ(first->values(), firstValues);
}

TEST_F(StoreTest, RangesAndWriteBack) {
    store.setSearchText(u"*a*a*"_s);
    int32_t from = -1;
    int32_t to = -1;
    store.StartSearch(from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 7);

    from = 3;
    to = 4;
    store.StartSearch(from, to);
    EXPECT_EQ(store.FoundList()->values(), (std::vector<int32_t>{3, 4}));

    from = 4;
    to = 3;
    store.StartSearch(from, to);
    EXPECT_EQ(store.FoundList()->Count(), 0);
    EXPECT_EQ(store.FoundNumber(), 0);

    from = 2;
    store.StartSearch(from); // only the end defaulted
    EXPECT_EQ(to, 3);
    EXPECT_EQ(store.FoundList()->values(), (std::vector<int32_t>{2, 3, 4, 5}));
}

TEST_F(StoreTest, RangeOutsideTheListFailsAfterTheMatchesBeforeIt) {
    store.setSearchText(u"*[a-z]*"_s);
    int32_t from = 1;
    int32_t to = 12;
    EXPECT_THROW(store.StartSearch(from, to), vorlan::SubscriptOutOfRangeError);
    EXPECT_EQ(store.FoundList()->values(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(store.FoundNumber(), 0);

    from = -3;
    to = 2;
    EXPECT_THROW(store.StartSearch(from, to), vorlan::SubscriptOutOfRangeError);
    EXPECT_EQ(store.FoundList()->Count(), 0);
}

TEST_F(StoreTest, NarrowSearchFoldsArabicFormsAndKeepsQuestionMarks) {
    MemoryResourceProvider fa;
    fa.add(u"FA"_s, encodeWordList({u"\u0622\u0628"_s, u"\u0627\u0628"_s, u"\u0623\u0628\u064E"_s,
                                    u"\u0645\u062F\u0631\u0633\u0629"_s, u"x?"_s},
                                   true));
    ResourceTools persian(fa);
    load(persian, u"Fa"_s);
    persian.setSearchText(u"\u0625\u0628"_s); // alef with hamza below, beh
    int16_t from = -1;
    int16_t to = -1;
    persian.StartSearch2(from, to);
    EXPECT_EQ(persian.FoundList()->values(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(to, 4);

    persian.setSearchText(u"*\u0647*"_s); // probe too short
    persian.StartSearch2();
    EXPECT_EQ(persian.FoundList()->values(), (std::vector<int32_t>{0, 1, 2}));

    persian.setSearchText(u"*\u0631\u0633\u0647"_s); // teh marbuta read as heh
    persian.StartSearch2();
    EXPECT_EQ(persian.FoundList()->values(), (std::vector<int32_t>{3}));

    persian.setSearchText(u"?x"_s); // '?' counts for the length test here
    persian.StartSearch2();
    EXPECT_EQ(persian.FoundList()->Count(), 0);
}

TEST(NarrowSearch, DefaultEndOverflowsOnLongLists) {
    QStringList records;
    for (int i = 0; i < 32770; ++i) {
        records << QString::number(i);
    }
    MemoryResourceProvider provider;
    provider.add(u"T"_s, encodeWordList(records, false));
    ResourceTools store(provider);
    load(store, u"T"_s);
    store.setSearchText(u"12*"_s);
    EXPECT_THROW(store.StartSearch2(), vorlan::OverflowError);
    ASSERT_TRUE(store.FoundList());
    EXPECT_EQ(store.FoundList()->Count(), 0);
    int16_t from = 0;
    int16_t to = 200;
    store.StartSearch2(from, to);
    EXPECT_EQ(store.FoundList()->values(),
              (std::vector<int32_t>{12, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129}));
}

TEST(StoreCase, LowerCasesEveryRecordEvenWhenLengthsChange) {
    // U+0130 lower-cases to two code units, which shifts every later record.
    MemoryResourceProvider provider;
    provider.add(u"T"_s, encodeWordList({u"\u0130stanbul"_s, u"ISTANBUL"_s, u"Sea"_s}, false));
    ResourceTools store(provider);
    load(store, u"T"_s);
    store.setSearchText(u"*stanbul"_s);
    store.StartSearch();
    EXPECT_EQ(store.FoundList()->values(), (std::vector<int32_t>{0, 1}));
    store.setSearchText(u"sea"_s);
    store.StartSearch();
    EXPECT_EQ(store.FoundList()->values(), (std::vector<int32_t>{2}));
    store.setSearchText(u"*a*e*"_s);
    store.StartSearch();
    EXPECT_EQ(store.FoundList()->Count(), 0);
}

TEST(StoreContains, OccurrenceMustLieInsideOneRecord) {
    MemoryResourceProvider provider;
    provider.add(u"T"_s, encodeWordList({u"ab"_s, u"cd"_s, u"xbc"_s, u"b\r"_s}, false));
    ResourceTools store(provider);
    load(store, u"T"_s);
    const struct {
        QString query;
        std::vector<int32_t> found;
    } cases[] = {
        {u"*b\r\nc*"_s, {}}, // spans a separator
        {u"*bc*"_s, {2}},    {u"*b\r*"_s, {3}}, {u"*d\r\nx*"_s, {}}, {u"*[b]*"_s, {0, 2, 3}},
    };
    for (const auto &c : cases) {
        store.setSearchText(c.query);
        store.StartSearch();
        EXPECT_EQ(store.FoundList()->values(), c.found) << c.query.toStdString();
    }
}

} // namespace
