// The word lists the build converted from the real Wiktionary extracts.
#include "cdic.h"
#include "resourceprovider.h"
#include "wordlistvalidator.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;

namespace {

QByteArray readList(const char *name) {
    QFile f(QDir(QStringLiteral(VORLAN_WORDLIST_DIR)).filePath(QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class RealLists : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        texts =
            new WordListTexts{readList("EN"), readList("EN2FA"), readList("FA"), readList("FA2EN")};
        provider = new MemoryResourceProvider;
        provider->add(u"EN"_s, texts->en);
        provider->add(u"EN2FA"_s, texts->en2fa);
        provider->add(u"FA"_s, texts->fa);
        provider->add(u"FA2EN"_s, texts->fa2en);
        dic = new cDic(*provider);
    }
    static void TearDownTestSuite() {
        delete dic;
        delete provider;
        delete texts;
    }
    // The meaning of the headword that equals `word`, found the way the
    // window finds it: a whole-record search.
    static QString meaning(const QString &word, bool english) {
        english ? dic->FindEn(word) : dic->FindFa(word);
        const ResultListRef found = english ? dic->FindListEn : dic->FindListFa;
        for (int32_t k = 1; found && k <= found->Count(); ++k) {
            const int32_t i = found->Item(k);
            QString head = english ? dic->GetEnWord(i) : dic->GetFaWord(i);
            head.remove(QChar(0));
            if (head == word) {
                return english ? dic->GetEnMean(i) : dic->GetFaMean(i);
            }
        }
        return u"<absent>"_s;
    }
    static WordListTexts *texts;
    static MemoryResourceProvider *provider;
    static cDic *dic;
};
WordListTexts *RealLists::texts = nullptr;
MemoryResourceProvider *RealLists::provider = nullptr;
cDic *RealLists::dic = nullptr;

TEST_F(RealLists, KeepEveryFormatRule) {
    WordListCounts counts;
    const auto v = validateWordLists(*texts, &counts);
    ASSERT_FALSE(v) << wordListName(v->list).toStdString() << " record " << v->record << ": "
                    << v->message.toStdString();
    // Both directions hold what the two extracts honestly give, well beyond
    // either extract alone (about 8,000 and 10,000 headwords).
    EXPECT_GT(counts.english, 12000);
    EXPECT_GT(counts.persian, 12000);
}

TEST_F(RealLists, WellKnownWordsHaveSaneMeanings) {
    const std::tuple<QString, bool, QString> facts[] = {
        {u"Water"_s, true, u"آب"_s},       {u"Book"_s, true, u"كتاب"_s},
        {u"Mother"_s, true, u"مادر"_s},    {u"Abandon"_s, true, u"رها كردن"_s},
        {u"Turkey"_s, true, u"بوقلمون"_s}, // "turkey" and "Turkey" are one headword
        {u"Turkey"_s, true, u"تركيه"_s},   {u"Cafe"_s, true, u"كافه"_s},
        {u"آب"_s, false, u"Water"_s},      {u"كتاب"_s, false, u"Book"_s},
        {u"مادر"_s, false, u"Mother"_s},   {u"ايستادگي كردن"_s, false, u"Resist"_s},
    };
    for (const auto &[word, english, part] : facts) {
        EXPECT_TRUE(meaning(word, english).contains(part))
            << word.toStdString() << ": " << meaning(word, english).toStdString();
    }
}

TEST_F(RealLists, NoJunkFromTheSources) {
    // Inflected Persian keys and romanisations never become headwords.
    const std::pair<QString, bool> absent[] = {
        {u"آب ها"_s, false}, {u"كتاب ها"_s, false}, {u"Ketab"_s, true}, {u"Madar"_s, true}};
    for (const auto &[word, english] : absent) {
        EXPECT_EQ(meaning(word, english), u"<absent>"_s) << word.toStdString();
    }
    const QString fa2en = QString::fromUtf16(
        reinterpret_cast<const char16_t *>(texts->fa2en.constData()), texts->fa2en.size() / 2);
    EXPECT_FALSE(fa2en.contains(u"lternative form of"_s));
    EXPECT_FALSE(fa2en.contains(u"&amp;"_s));
    EXPECT_TRUE(meaning(u"Abandon"_s, true).contains(u"(.vt): "_s));
}

} // namespace
