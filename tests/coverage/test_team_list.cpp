// The team's own list, data/team/en-fa-common.txt: every entry line must read
// as the 2015 translation list does, since a line that does not is dropped by
// the converter without a word.
#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;

namespace {

QStringList teamLines() {
    QFile f(QStringLiteral(VORLAN_TEAM_LIST));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).split(u'\n');
}

TEST(TeamList, SaysWhoWroteItAndItsLicence) {
    const QStringList lines = teamLines();
    ASSERT_FALSE(lines.isEmpty()) << VORLAN_TEAM_LIST;
    const QString header = lines.filter(QRegularExpression(u"^#"_s)).join(u'\n');
    EXPECT_TRUE(header.contains(u"Vorlan team"_s));
    EXPECT_TRUE(header.contains(u"reviewed"_s));
    EXPECT_TRUE(header.contains(u"CC BY-SA 3.0"_s));
}

TEST(TeamList, EveryEntryReadsAndItsPersianKeepsToTheLetters) {
    int entries = 0;
    QSet<QString> seen;
    int lineNo = 0;
    for (const QString &raw : teamLines()) {
        ++lineNo;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        ++entries;
        const std::string where = "line " + std::to_string(lineNo) + ": " + line.toStdString();
        const auto t = wordlists::parseTranslationLine(line);
        ASSERT_TRUE(t) << where;
        EXPECT_FALSE(seen.contains(line)) << "repeated, " << where;
        seen.insert(line);
        // Plain English: headword and gloss in printable ASCII, a gloss given.
        for (const QString &english : {t->headword, t->gloss}) {
            EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](QChar c) {
                return wordlist::isPrintableAscii(c.unicode());
            })) << where;
        }
        EXPECT_FALSE(t->gloss.isEmpty()) << where;
        QSet<QString> translations;
        for (const auto &item : t->items) {
            const auto persian = wordlist::normalisePersian(item.text);
            ASSERT_TRUE(persian) << "letters outside the 34, " << where;
            EXPECT_TRUE(wordlist::containsPersianLetter(*persian)) << where;
            // Latin letters belong in the English gloss, not in a meaning.
            EXPECT_FALSE(std::any_of(persian->begin(), persian->end(), [](QChar c) {
                return c.isLetter() && c.unicode() < 0x80;
            })) << where;
            EXPECT_FALSE(translations.contains(*persian)) << "same translation twice, " << where;
            translations.insert(*persian);
        }
    }
    // Small by design: function words and a few everyday words.
    EXPECT_GE(entries, 100);
    EXPECT_LE(entries, 300);
}

} // namespace
