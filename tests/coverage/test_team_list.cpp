// The team's own lists in data/team: every entry line must read as the 2015
// translation list does, or as a row of its form table, since a line that does
// not is dropped by the converter without a word; the common words keep to the WordNet counts they
// were chosen by, the common lemmas to WordNet and SCOWL.
#include "britishspellings.h"
#include "persianforms.h"
#include "persianverbs.h"
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

// Lines of the 2015 translation list, English :: Persian or Persian ::
// English, or rows of a form table.
enum class Format { EnFa, FaEn, Spoken, British, Stems };
using enum Format;

struct TeamFile {
    const char *path;
    int fewest; // entry lines, a bound on the list's size by design
    int most;
    Format format = EnFa;
};

// Function words and a few everyday words; the common words of WordNet's
// counts; WordNet's common lemmas; the Persian core vocabulary; the words of
// news, study and work by topic, both ways; the form tables: colloquial
// spellings, British spellings and present stems.
const TeamFile kTeamFiles[] = {{VORLAN_TEAM_LIST, 100, 300},
                               {VORLAN_CORE_LIST, 800, 1200},
                               {VORLAN_LEMMA_LIST, 3000, 25000},
                               {VORLAN_PERSIAN_LIST, 300, 5000, FaEn},
                               {VORLAN_TOPIC_LIST, 300, 5000},
                               {VORLAN_PERSIAN_TOPICS, 200, 3000, FaEn},
                               {VORLAN_COLLOQUIAL_LIST, 20, 1200, Spoken},
                               {VORLAN_BRITISH_LIST, 20, 1000, British},
                               {VORLAN_PRESENT_STEMS, 20, 300, Stems}};

TEST(TeamList, SaysWhoWroteItAndItsLicence) {
    for (const TeamFile &file : kTeamFiles) {
        const QStringList lines = fileLines(QString::fromUtf8(file.path));
        ASSERT_FALSE(lines.isEmpty()) << file.path;
        const QString header = lines.filter(QRegularExpression(u"^#"_s)).join(u'\n');
        for (const QString &says : {u"Vorlan team"_s, u"reviewed"_s, u"CC BY-SA 3.0"_s}) {
            EXPECT_TRUE(header.contains(says)) << file.path << ": " << says.toStdString();
        }
    }
}

QSet<QString> fileWords(const char *path) {
    const QStringList lines = fileLines(QString::fromUtf8(path));
    return {lines.begin(), lines.end()};
}

// A form table's key, the spelling or the verb; empty where the converter
// leaves the line out, or where a British spelling breaks its rule: one of
// SCOWL's British words that is no American one, for a word of the American
// size-35 list.
QString tableKey(Format format, const QString &line) {
    static const QSet<QString> us = fileWords(VORLAN_SCOWL_WORDS);
    static const QSet<QString> uk = fileWords(VORLAN_BRITISH_WORDS);
    qsizetype bad = 0;
    QString key;
    if (format == British) {
        const auto row = wordlists::parseBritishSpellings(line, &bad).value(0);
        const bool kept = !us.contains(row.british) && us.contains(row.american);
        key = uk.contains(row.british) && kept ? row.british : QString();
    } else if (format == Stems) {
        key = wordlists::parsePresentStems(line, &bad).value(0).infinitive;
    } else {
        key = wordlists::parseColloquialTable(line, &bad).value(0).form;
    }
    return bad == 0 ? key : QString();
}

void checkEntries(const TeamFile &file) {
    int entries = 0;
    QSet<QString> seen;
    int lineNo = 0;
    for (const QString &raw : fileLines(QString::fromUtf8(file.path))) {
        ++lineNo;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        ++entries;
        const std::string where =
            std::string(file.path) + " line " + std::to_string(lineNo) + ": " + line.toStdString();
        if (file.format >= Spoken) {
            const QString key = tableKey(file.format, line);
            EXPECT_FALSE(key.isEmpty() || seen.contains(key)) << "unread or repeated, " << where;
            seen.insert(key);
            continue;
        }
        const auto t = wordlists::parseTranslationLine(line);
        ASSERT_TRUE(t) << where;
        EXPECT_FALSE(seen.contains(line)) << "repeated, " << where;
        seen.insert(line);
        // Plain English: the English side and the gloss in printable ASCII, a
        // gloss given; the Persian side in the 34 letters, no Latin letter in it.
        const auto isAscii = [](const QString &text) {
            return std::all_of(text.begin(), text.end(),
                               [](QChar c) { return wordlist::isPrintableAscii(c.unicode()); });
        };
        const auto checkPersian = [&](const QString &text) {
            const auto persian = wordlist::normalisePersian(text);
            EXPECT_TRUE(persian && wordlist::containsPersianLetter(*persian) &&
                        std::none_of(persian->begin(), persian->end(),
                                     [](QChar c) { return c.isLetter() && c.unicode() < 0x80; }))
                << "not Persian in the 34 letters, " << where;
            return persian.value_or(QString());
        };
        EXPECT_TRUE(isAscii(t->gloss) && !t->gloss.isEmpty()) << where;
        if (file.format == FaEn) {
            checkPersian(t->headword);
        } else {
            EXPECT_TRUE(isAscii(t->headword)) << where;
        }
        QSet<QString> translations;
        for (const auto &item : t->items) {
            const QString text = file.format == FaEn ? item.text : checkPersian(item.text);
            if (file.format == FaEn) {
                EXPECT_TRUE(isAscii(text)) << where;
            }
            EXPECT_FALSE(translations.contains(text)) << "same translation twice, " << where;
            translations.insert(text);
        }
    }
    EXPECT_GE(entries, file.fewest) << file.path;
    EXPECT_LE(entries, file.most) << file.path;
}

TEST(TeamList, EveryEntryReadsAndItsPersianKeepsToTheLetters) {
    for (const TeamFile &file : kTeamFiles) {
        checkEntries(file);
    }
}

// The sense-tagged occurrences of each lemma and part of speech in WordNet's
// cntlist.rev ("provide%2:40:00:: 1 152"): n, v, adj (satellites too), adv.
QHash<QString, int> wordnetCounts() {
    QHash<QString, int> counts;
    const char *pos[] = {"", "n", "v", "adj", "adv", "adj"};
    for (const QString &line : fileLines(QStringLiteral(VORLAN_WORDNET_DIR "/cntlist.rev"))) {
        const QStringList fields = line.split(u' ');
        const qsizetype percent = fields.value(0).indexOf(u'%');
        const int type = fields.value(0).mid(percent + 1, 1).toInt();
        if (fields.size() == 3 && percent > 0 && type >= 1 && type <= 5) {
            counts[fields[0].left(percent) + u' ' + QLatin1String(pos[type])] += fields[2].toInt();
        }
    }
    return counts;
}

// A common word is there by WordNet's counts, never because a frequency list
// names it: every headword has its 15 occurrences in that part of speech.
TEST(TeamList, CommonWordsAreThoseOfWordNetsCounts) {
    const QHash<QString, int> counts = wordnetCounts();
    ASSERT_GT(counts.size(), 10000) << VORLAN_WORDNET_DIR;
    QSet<QString> words;
    for (const QString &line : fileLines(QStringLiteral(VORLAN_CORE_LIST))) {
        const auto t = line.startsWith(u'#') ? std::nullopt : wordlists::parseTranslationLine(line);
        if (t) {
            const QString key = t->headword + u' ' + t->pos;
            EXPECT_GE(counts.value(key), 15) << line.toStdString();
            words.insert(key);
        }
    }
    EXPECT_GT(words.size(), 400);
}

// The lemmas of WordNet's index files for a part of speech: single words only.
QSet<QString> wordnetLemmas(const char *file, const QString &pos) {
    QSet<QString> lemmas;
    for (const QString &line :
         fileLines(QStringLiteral(VORLAN_WORDNET_DIR "/") + QLatin1String(file))) {
        if (!line.startsWith(u' ')) {
            lemmas.insert(line.section(u' ', 0, 0) + u' ' + pos);
        }
    }
    return lemmas;
}

// The common lemmas are there by WordNet and SCOWL's size-35 list, never
// because a frequency list names them, and only where the 2015 list has no
// entry for the word.
TEST(TeamList, CommonLemmasAreWordNetsAndScowlsAndNewToTheSources) {
    const QSet<QString> lemmas =
        wordnetLemmas("index.noun", u"n"_s) + wordnetLemmas("index.verb", u"v"_s) +
        wordnetLemmas("index.adj", u"adj"_s) + wordnetLemmas("index.adv", u"adv"_s);
    const QSet<QString> scowl = fileWords(VORLAN_SCOWL_WORDS);
    ASSERT_GT(lemmas.size(), 100000) << VORLAN_WORDNET_DIR;
    ASSERT_GT(scowl.size(), 30000) << VORLAN_SCOWL_WORDS;
    QSet<QString> sources;
    for (const QString &line : fileLines(QStringLiteral(VORLAN_TRANSLATION_LIST))) {
        if (const auto t = wordlists::parseTranslationLine(line)) {
            sources.insert(t->headword.toLower());
        }
    }
    for (const QString &line : fileLines(QStringLiteral(VORLAN_LEMMA_LIST))) {
        const auto t = line.startsWith(u'#') ? std::nullopt : wordlists::parseTranslationLine(line);
        if (t) {
            EXPECT_TRUE(lemmas.contains(t->headword + u' ' + t->pos)) << line.toStdString();
            EXPECT_TRUE(scowl.contains(t->headword)) << line.toStdString();
            EXPECT_FALSE(sources.contains(t->headword)) << line.toStdString();
        }
    }
}

} // namespace
