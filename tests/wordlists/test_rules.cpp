// Letter normalisation and the Persian order.
#include "wordlistrules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;
using namespace vorlan::wordlist;

namespace {

TEST(PersianNormalisation, FoldsToTheAllowedLetterForms) {
    const std::pair<QString, std::optional<QString>> cases[] = {
        // Farsi yeh, alef maksura, keheh, alef with hamza above and below, teh
        // marbuta, heh with yeh above, waw with hamza.
        {u"\u06CC\u0649\u06A9\u0623\u0625\u0629\u06C0\u0624"_s,
         u"\u064A\u064A\u0643\u0627\u0627\u0647\u0647\u0648"_s},
        // Kasra, tanwin, superscript alef and tatweel go.
        {u"\u0640\u0622\u0650\u0628\u064B\u0670"_s, u"\u0622\u0628"_s},
        {u"\u0622\u0628\u200C\u0647\u0627"_s, u"\u0622\u0628 \u0647\u0627"_s}, // ZWNJ
        {u"\u200F\u0622\u0628\u200E"_s, u"\u0622\u0628"_s},                    // direction marks
        {u"\u0627\u0645\u0636\u0627\u0621"_s, u"\u0627\u0645\u0636\u0627"_s},  // hamza after alef
        {u"\u06F2\u06F0 \u0662\u061F"_s, u"20 2?"_s}, // Persian and Arabic digits and signs
        {u"  \u0622\u0628   \u0622\u0648\u0631\u062F "_s,
         u"\u0622\u0628 \u0622\u0648\u0631\u062F"_s},
        {u"\u0622\u0626\u067E\u0686\u0698\u06AF (TV)"_s,
         u"\u0622\u0626\u067E\u0686\u0698\u06AF (TV)"_s},
        {u"\u062C\u0632\u0621"_s, std::nullopt}, // hamza alone has no letter form
        {u"\uFEE9\uFE8E\uFB94"_s, std::nullopt}, // presentation forms
        {u"\u06A4"_s, std::nullopt},             // veh is not one of the 34
    };
    for (const auto &[input, expected] : cases) {
        EXPECT_EQ(normalisePersian(input), expected) << input.toStdString();
    }
}

// Whatever the normalisation lets through keeps the validator's letter rules,
// for every code unit there is.
TEST(PersianNormalisation, OutputAlwaysKeepsTheLetterRules) {
    for (uint u = 1; u <= 0xFFFF; ++u) {
        const auto out = normalisePersian(u"\u0628"_s + QChar(char16_t(u)));
        for (const QChar c : out.value_or(QString())) {
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
    std::vector<QString> letters;
    for (const QChar c : alphabet) {
        letters.emplace_back(c);
    }
    std::shuffle(letters.begin(), letters.end(), std::mt19937(7));
    std::sort(letters.begin(), letters.end(), faLess);
    EXPECT_EQ(std::accumulate(letters.begin(), letters.end(), QString()), alphabet);

    const std::pair<QString, QString> ascending[] = {
        {u"\u0622\u0628"_s, u"\u0622\u0628 \u0622\u0648\u0631\u062F"_s}, // prefix first
        {u"ab \u0628"_s, u"AC \u0628"_s},                 // Latin letters without regard to case
        {u"\u0622\u0628"_s, u"\"\u0622\u0628\u0627\""_s}, // quotation marks ignored
        {u"AB"_s, u"ab"_s},                               // equal but for case: code units decide
    };
    for (const auto &[a, b] : ascending) {
        EXPECT_LT(compareFa(a, b), 0) << a.toStdString() << " < " << b.toStdString();
        EXPECT_GT(compareFa(b, a), 0) << b.toStdString() << " > " << a.toStdString();
    }
}

} // namespace
