#include "clipboardwatch.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace Qt::StringLiterals;
using vorlan::ClipLanguage;

namespace {

const char *name(ClipLanguage language) {
    switch (language) {
    case ClipLanguage::English:
        return "English";
    case ClipLanguage::Persian:
        return "Persian";
    case ClipLanguage::None:
        break;
    }
    return "None";
}

TEST(ClipWord, TakesTheFirstWordAndItsLanguage) {
    const struct {
        QString clipboard;
        QString word;
        ClipLanguage language;
    } cases[] = {
        {u"  Hello world  "_s, u"Hello"_s, ClipLanguage::English},
        {u"apple pie"_s, u"apple"_s, ClipLanguage::English},
        {u"Apple"_s, u"Apple"_s, ClipLanguage::English},
        {u"ZEBRA crossing"_s, u"ZEBRA"_s, ClipLanguage::English},
        {u"abcdefghijklmnopqrstuvwxyzabcd"_s, u"abcdefghijklmnopqrst"_s, ClipLanguage::English},
        {u"abcdefghijklmnopqrst"_s, u"abcdefghijklmnopqrst"_s, ClipLanguage::English},
        // The cut counts UTF-16 code units, even inside a surrogate pair.
        {u"abcdefghijklmnopqrs\U0001F600"_s, u"abcdefghijklmnopqrs\xD83D"_s, ClipLanguage::English},
        {u"123 abc"_s, u"123"_s, ClipLanguage::None},
        {u"*ook"_s, u"*ook"_s, ClipLanguage::None},
        {u"b?ok pattern"_s, u"b?ok"_s, ClipLanguage::English},
        {u"\u00C4pfel"_s, u"\u00C4pfel"_s, ClipLanguage::None},
        // Only U+0020 is trimmed and cut at: line breaks and tabs stay.
        {u"word\r\n"_s, u"word\r\n"_s, ClipLanguage::English},
        {u"line one\r\nline two"_s, u"line"_s, ClipLanguage::English},
        {u"one\r\ntwo"_s, u"one\r\ntwo"_s, ClipLanguage::English},
        {u"\tword"_s, u"\tword"_s, ClipLanguage::None},
        {u"\u00A0word"_s, u"\u00A0word"_s, ClipLanguage::None},
        {u"  \u0633\u0644\u0627\u0645 \u062F\u0646\u06CC\u0627 "_s, u"\u0633\u0644\u0627\u0645"_s,
         ClipLanguage::Persian},
        {u"\u06A9\u062A\u0627\u0628"_s, u"\u06A9\u062A\u0627\u0628"_s, ClipLanguage::Persian},
        {u"\u0643\u062A\u0627\u0628"_s, u"\u0643\u062A\u0627\u0628"_s, ClipLanguage::Persian},
        {u"\u0622\u0628"_s, u"\u0622\u0628"_s, ClipLanguage::Persian},
        {u"\u06CC\u06A9"_s, u"\u06CC\u06A9"_s, ClipLanguage::Persian},
        {u"\u0623\u062D\u0645\u062F"_s, u"\u0623\u062D\u0645\u062F"_s, ClipLanguage::None},
        {u"\u0625\u0633\u0644\u0627\u0645"_s, u"\u0625\u0633\u0644\u0627\u0645"_s,
         ClipLanguage::None},
        {u"\u0621"_s, u"\u0621"_s, ClipLanguage::None},
        {u"\u06F1\u06F2"_s, u"\u06F1\u06F2"_s, ClipLanguage::None},
        {u"\u0430\u0431\u0432"_s, u"\u0430\u0431\u0432"_s, ClipLanguage::None},
        {u""_s, u""_s, ClipLanguage::None},
        {u"     "_s, u""_s, ClipLanguage::None},
    };
    for (const auto &c : cases) {
        const vorlan::ClipWord taken = vorlan::takeClipWord(c.clipboard);
        EXPECT_EQ(taken.word, c.word) << c.clipboard.toStdString();
        EXPECT_STREQ(name(taken.language), name(c.language)) << c.clipboard.toStdString();
    }
}

// The letter list as the watcher's description gives it: 39 letters, U+064A
// twice, the others from these ranges.
TEST(ClipWord, FaLettersHoldTheDescribedLetters) {
    const QList<QStringView> letters = vorlan::FaLetters.split(u' ');
    ASSERT_EQ(letters.size(), 39);
    QSet<char16_t> distinct;
    for (const QStringView letter : letters) {
        ASSERT_EQ(letter.size(), 1);
        distinct.insert(letter.front().unicode());
    }
    QSet<char16_t> described{0x0622, 0x0624, 0x067E, 0x0686, 0x0698, 0x06A9, 0x06AF};
    for (char16_t c = 0x0626; c <= 0x063A; ++c) {
        described.insert(c);
    }
    for (char16_t c = 0x0641; c <= 0x064A; ++c) {
        described.insert(c);
    }
    EXPECT_EQ(distinct, described);
    EXPECT_EQ(letters.count(u"\u064A"), 2);

    for (const char16_t c : described) {
        EXPECT_TRUE(vorlan::isPersianFirstLetter(QChar(c))) << std::hex << int(c);
    }
    for (const char16_t c : {0x0621, 0x0623, 0x0625, 0x0640, 0x064B, 0x06C0}) {
        EXPECT_FALSE(vorlan::isPersianFirstLetter(QChar(c))) << std::hex << int(c);
    }
}

} // namespace
