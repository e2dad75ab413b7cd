// The team's own list, data/team/en-fa-common.txt: every entry line must read
// as the 2015 translation list does, since a line that does not is dropped by
// the converter without a word.
#include "persianforms.h"
#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;

namespace {

QStringList fileLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).split(u'\n');
}

QStringList teamLines() {
    return fileLines(QStringLiteral(VORLAN_TEAM_LIST));
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

// The colloquial table: every line must parse, since the converter leaves
// out one that does not; each spelling once; small by design.
TEST(ColloquialTable, SaysWhoWroteItAndEveryLineReads) {
    const QStringList lines = fileLines(QStringLiteral(VORLAN_COLLOQUIAL_LIST));
    ASSERT_FALSE(lines.isEmpty()) << VORLAN_COLLOQUIAL_LIST;
    const QString header = lines.filter(QRegularExpression(u"^#"_s)).join(u'\n');
    EXPECT_TRUE(header.contains(u"Vorlan team"_s));
    EXPECT_TRUE(header.contains(u"reviewed"_s));
    EXPECT_TRUE(header.contains(u"CC BY-SA 3.0"_s));
    int entries = 0;
    QSet<QString> forms;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        ++entries;
        qsizetype bad = 0;
        const auto rows = wordlists::parseColloquialTable(line, &bad);
        ASSERT_EQ(rows.size(), 1) << line.toStdString();
        EXPECT_EQ(bad, 0) << line.toStdString();
        EXPECT_FALSE(forms.contains(rows.front().form)) << "repeated, " << line.toStdString();
        forms.insert(rows.front().form);
    }
    EXPECT_GE(entries, 20);
    EXPECT_LE(entries, 120);
}

} // namespace
