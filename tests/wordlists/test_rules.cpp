// Letter normalisation, the two sort orders and the byte layout.
#include "wordlistrules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;
using namespace vorlan;
using namespace vorlan::wordlist;

namespace {

struct NormaliseCase {
    QString input;
    std::optional<QString> expected;
};

TEST(PersianNormalisation, FoldsToTheAllowedLetterForms) {
    const NormaliseCase cases[] = {
        {u"\u06CC"_s, u"\u064A"_s},             // Farsi yeh
        {u"\u0649"_s, u"\u064A"_s},             // alef maksura
        {u"\u06A9"_s, u"\u0643"_s},             // keheh
        {u"\u0623\u0625"_s, u"\u0627\u0627"_s}, // alef with hamza above and below
        {u"\u0629"_s, u"\u0647"_s},             // teh marbuta
        {u"\u062F\u0631\u0628\u0627\u0631\u06C0"_s, u"\u062F\u0631\u0628\u0627\u0631\u0647"_s},
        {u"\u0633\u0624\u0627\u0644"_s, u"\u0633\u0648\u0627\u0644"_s},       // waw with hamza
        {u"\u0627\u0650\u06CC"_s, u"\u0627\u064A"_s},                         // kasra dropped
        {u"\u0642\u0628\u0644\u0627\u064B"_s, u"\u0642\u0628\u0644\u0627"_s}, // tanwin dropped
        {u"\u0622\u0670"_s, u"\u0622"_s}, // superscript alef dropped
        {u"\u0640\u0622\u0628\u0627\u062F"_s, u"\u0622\u0628\u0627\u062F"_s},  // tatweel
        {u"\u0622\u0628\u200C\u0647\u0627"_s, u"\u0622\u0628 \u0647\u0627"_s}, // ZWNJ
        {u"\u200F\u0622\u0628\u200E"_s, u"\u0622\u0628"_s},                    // direction marks
        {u"\u0627\u0645\u0636\u0627\u0621"_s, u"\u0627\u0645\u0636\u0627"_s},  // hamza after alef
        {u"\u06F2\u06F0 \u0662"_s, u"20 2"_s}, // Persian and Arabic digits
        {u"  \u0622\u0628   \u0622\u0648\u0631\u062F "_s,
         u"\u0622\u0628 \u0622\u0648\u0631\u062F"_s},
        {u"\u0622\u0626\u067E\u0686\u0698\u06AF"_s, u"\u0622\u0626\u067E\u0686\u0698\u06AF"_s},
        {u"\u0634\u0627\u0634 (TV)"_s, u"\u0634\u0627\u0634 (TV)"_s},
        {u"\u062C\u0632\u0621"_s, std::nullopt}, // hamza alone has no letter form
        {u"\uFEE9\uFE8E\uFB94"_s, std::nullopt}, // presentation forms
        {u"\u06A4"_s, std::nullopt},             // veh is not one of the 34
        {u"\u0436"_s, std::nullopt},             // Cyrillic
    };
    for (const auto &c : cases) {
        EXPECT_EQ(normalisePersian(c.input), c.expected) << c.input.toStdString();
    }
}

// Whatever comes out of the normalisation must pass the validator's letter
// rules, for every code unit there is.
TEST(PersianNormalisation, OutputAlwaysKeepsTheLetterRules) {
    for (uint u = 1; u <= 0xFFFF; ++u) {
        const QString in = u"\u0628"_s + QChar(char16_t(u));
        const auto out = normalisePersian(in);
        if (!out) {
            continue;
        }
        for (QChar c : *out) {
            ASSERT_TRUE(isPersianTextChar(c.unicode())) << std::hex << u;
            ASSERT_EQ(forbiddenPersianForm(c.unicode()), nullptr) << std::hex << u;
        }
    }
}

TEST(FaOrder, FollowsThePersianAlphabet) {
    const QString alphabet = u"\u0622\u0626\u0627\u0628\u067E\u062A\u062B\u062C\u0686\u062D"
                             u"\u062E\u062F\u0630\u0631\u0632\u0698\u0633\u0634\u0635\u0636"
                             u"\u0637\u0638\u0639\u063A\u0641\u0642\u0643\u06AF\u0644\u0645"
                             u"\u0646\u0647\u0648\u064A"_s;
    ASSERT_EQ(alphabet.size(), 34);
    std::vector<QString> letters;
    for (QChar c : alphabet) {
        letters.emplace_back(c);
    }
    std::shuffle(letters.begin(), letters.end(), std::mt19937(7));
    std::sort(letters.begin(), letters.end(), faLess);
    EXPECT_EQ(std::accumulate(letters.begin(), letters.end(), QString()), alphabet);
}

TEST(FaOrder, CasesBeyondSingleLetters) {
    const std::pair<QString, QString> ascending[] = {
        {u"\u0622\u0628"_s, u"\u0622\u0628 \u0622\u0648\u0631\u062F"_s}, // prefix first
        {u"\u0622\u067E"_s, u"\u0622\u0641"_s},           // پ before ف although U+067E > U+0641
        {u"ab \u0628"_s, u"AC \u0628"_s},                 // Latin letters without regard to case
        {u"\"\u0622\u0628\""_s, u"\u0622\u0628\u0627"_s}, // quotation marks ignored
        {u"AB"_s, u"ab"_s},                               // equal but for case: code units decide
    };
    for (const auto &[a, b] : ascending) {
        EXPECT_LT(compareFa(a, b), 0) << a.toStdString() << " < " << b.toStdString();
        EXPECT_GT(compareFa(b, a), 0) << b.toStdString() << " > " << a.toStdString();
    }
    EXPECT_EQ(compareFa(u"\u0622\u0628"_s, u"\u0622\u0628"_s), 0);
}

TEST(EnOrder, LowerCasedCodeUnits) {
    QStringList words = {u"Aaron's Beard"_s, u"Aardwolf"_s,   u"A La Carte"_s, u"A"_s,
                         u"Zymosthenic"_s,   u"Aaronic(al)"_s};
    std::sort(words.begin(), words.end(),
              [](const QString &a, const QString &b) { return enSortKey(a) < enSortKey(b); });
    EXPECT_EQ(words, (QStringList{u"A"_s, u"A La Carte"_s, u"Aardwolf"_s, u"Aaron's Beard"_s,
                                  u"Aaronic(al)"_s, u"Zymosthenic"_s}));
}

TEST(Encoding, ByteLayoutPerList) {
    const QByteArray withNul("\xFF\xFE"
                             "A\0\r\0\n\0\x2C\x06\0\0",
                             12);
    EXPECT_EQ(encode({u"A"_s, u"\u062C"_s}, WordList::En), withNul);
    EXPECT_EQ(encode({u"A"_s, u"\u062C"_s}, WordList::Fa2En), withNul.left(10));
}

} // namespace
