// The word lists the build converted from the real Wiktionary extracts.
#include "folding.h"
#include "wordlistvalidator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace vorlan;

namespace {

QByteArray readList(const char *name) {
    QFile f(QDir(QStringLiteral(VORLAN_WORDLIST_DIR)).filePath(QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The records: UTF-16LE after the byte-order mark, without the final U+0000.
QStringList records(const QByteArray &bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
    return text.mid(1).remove(QChar(0)).split(u"\r\n"_s);
}

const WordListTexts texts{readList("EN"), readList("EN2FA"), readList("FA"), readList("FA2EN")};
const QStringList en = records(texts.en), en2fa = records(texts.en2fa), fa = records(texts.fa),
                  fa2en = records(texts.fa2en);

// The meaning of the headword `word`.
QString meaning(const QString &word, bool english) {
    const qsizetype i = (english ? en : fa).indexOf(word);
    return i < 0 ? u"<absent>"_s : (english ? en2fa : fa2en).at(i);
}

TEST(RealLists, KeepEveryFormatRule) {
    WordListCounts counts;
    const auto v = validateWordLists(texts, &counts);
    ASSERT_FALSE(v) << wordListName(v->list).toStdString() << " record " << v->record << ": "
                    << v->message.toStdString();
    // Both directions hold what the two extracts honestly give, well beyond
    // either extract alone (about 8,000 and 10,000 headwords).
    EXPECT_GT(counts.english, 12000);
    EXPECT_GT(counts.persian, 12000);
}

TEST(RealLists, WellKnownWordsAndNoJunk) {
    const std::tuple<QString, bool, QString> facts[] = {
        {u"Water"_s, true, u"آب"_s},
        {u"Book"_s, true, u"كتاب"_s},
        {u"Mother"_s, true, u"مادر"_s},
        {u"Abandon"_s, true, u"(.vt): "_s},
        {u"Turkey"_s, true, u"بوقلمون"_s}, // "turkey" and "Turkey" are one headword
        {u"Turkey"_s, true, u"تركيه"_s},
        {u"Cafe"_s, true, u"كافه"_s},
        {u"آب"_s, false, u"Water"_s},
        {u"كتاب"_s, false, u"Book"_s},
        {u"مادر"_s, false, u"Mother"_s},
        {u"ايستادگي كردن"_s, false, u"Resist"_s},
        // Romanisations never become headwords.
        {u"Ketab"_s, true, u"<absent>"_s},
        {u"Madar"_s, true, u"<absent>"_s},
    };
    for (const auto &[word, english, part] : facts) {
        EXPECT_TRUE(meaning(word, english).contains(part))
            << word.toStdString() << ": " << meaning(word, english).toStdString();
    }
    // What the cleaning must keep out or put first.
    const std::tuple<QString, QString, bool> firsts[] = {
        {u"Book"_s, u"(.n): كتاب"_s, true},
        {u"Father"_s, u"(.n): پدر"_s, true},
        {u"Apple"_s, u"(.n): سيب"_s, true},
        {u"Genius"_s, u"(.n): نابغه"_s, true},
        // The core sense before the ones the 2015 list's gloss order put first.
        {u"Hand"_s, u"(.n): دست"_s, true},
        {u"Head"_s, u"(.n): سر"_s, true},
        {u"Girl"_s, u"(.n): دختر"_s, true},
        // The team's sense before a source's misleading first one.
        {u"But"_s, u"اما"_s, true},
        {u"It"_s, u"آن"_s, true},
        {u"Who"_s, u"چه كسي"_s, true},
        // The part of speech the word is mostly used as.
        {u"Run"_s, u"(.vi): دويدن"_s, true},
        {u"Want"_s, u"(.vt): خواستن"_s, true},
        {u"Can"_s, u"(.vt): توانستن"_s, true},
        {u"Book"_s, u"(.n): كتاب"_s, true},
        // Persian: a rare sense last; a past named after the word's own senses.
        {u"است"_s, u"Be"_s, false},
        {u"كرد"_s, u"Kurd - Past: Do"_s, false},
        {u"كردم"_s, u"Past: Do"_s, false},
    };
    for (const auto &[word, start, english] : firsts) {
        EXPECT_TRUE(meaning(word, english).startsWith(start))
            << word.toStdString() << ": " << meaning(word, english).toStdString();
    }
    const std::pair<QString, QString> never[] = {
        {u"Who"_s, u"سازمان بهداشت جهاني"_s},
        {u"Book"_s, u"نامك"_s},
        {u"You"_s, u"شم ارا"_s},
        {u"Hello"_s, u"religious:"_s},
        {u"Hello"_s, u";"_s},
        {u"Qibla"_s, u"Persian"_s},
        {u"Of"_s, u"بهشتي"_s},
        {u"Of"_s, u"ezafe"_s},
        {u"Chessboard"_s, u"دشت"_s},
        {u"Satellites"_s, u"ماهواره"_s},
        {u"Sixth of something"_s, u""_s},
        {u"Directionally inside"_s, u""_s},
        {u"A male surname"_s, u""_s},
    };
    for (const auto &[word, part] : never) {
        const QString m = meaning(word, true);
        EXPECT_TRUE(m == u"<absent>"_s || (!part.isEmpty() && !m.contains(part)))
            << word.toStdString() << ": " << m.toStdString();
    }
    const QString english = fa2en.join(u'\n');
    EXPECT_FALSE(english.contains(u"lternative form of"_s));
    EXPECT_FALSE(english.contains(u"&amp;"_s));
}

#ifdef VORLAN_CONVERTED_FROM_SOURCES
TEST(RealLists, ConvertingAgainGivesTheSameBytes) {
    QTemporaryDir out;
    QProcess tool;
    tool.start(QStringLiteral(VORLAN_WORDLISTS_TOOL),
               {u"--sources"_s, QStringLiteral(VORLAN_SOURCES), u"--wordnet"_s,
                QStringLiteral(VORLAN_WORDNET), u"--english-words"_s,
                QStringLiteral(VORLAN_ENGLISH_WORDS), u"--team"_s, QStringLiteral(VORLAN_TEAM_LIST),
                u"--core"_s, QStringLiteral(VORLAN_CORE_LIST), u"--lemmas"_s,
                QStringLiteral(VORLAN_LEMMA_LIST), u"--colloquial"_s,
                QStringLiteral(VORLAN_COLLOQUIAL_LIST), u"--out"_s, out.path()});
    ASSERT_TRUE(tool.waitForFinished(300000) && tool.exitStatus() == QProcess::NormalExit &&
                tool.exitCode() == 0)
        << tool.readAllStandardError().toStdString();
    for (const char *name : {"EN", "EN2FA", "FA", "FA2EN"}) {
        QFile again(QDir(out.path()).filePath(QLatin1String(name)));
        ASSERT_TRUE(again.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(again.readAll() == readList(name)) << name;
    }
}
#endif

// Words as they stand in running text find a record that leads to their
// headword; a form that is a headword of its own keeps its entry.
TEST(RealLists, LookupForms) {
    const std::tuple<QString, bool, QString, QString> forms[] = {
        // CLDR's picture names and reversed senses follow the form's meaning.
        {u"Books"_s, true, u"(book=) "_s, u"چند كتاب"_s},
        {u"Glasses"_s, true, u"(glass=) "_s, u"عينك"_s},
        {u"Men"_s, true, u"(man=) "_s, u"مرد"_s},
        {u"Feet"_s, true, u"(foot=) "_s, u"پا"_s},
        // The -ed beside a form WordNet lists; a part of speech from a link.
        {u"Died"_s, true, u"(die=) "_s, u"مردن"_s},
        {u"Worked"_s, true, u"(work=) "_s, u"كار"_s},
        {u"Trees"_s, true, u"(tree=) "_s, u"درخت"_s},
        // The verb's senses, and its translation a source filed under the
        // noun, but never the noun's homograph.
        {u"Drank"_s, true, u"(drink=) "_s, u"نوشيدن"_s},
        {u"Bore"_s, true, u"(bear=) "_s, u"زاييدن"_s},
        {u"Went"_s, true, u"(go=) "_s, u"رفتن"_s},
        {u"Children"_s, true, u"(child=) "_s, u"كودك"_s},
        {u"Boxes"_s, true, u"(box=) "_s, u"جعبه"_s},
        {u"Cities"_s, true, u"(city=) "_s, u"شهر"_s},
        {u"Wrote"_s, true, u"(write=) "_s, u"نوشتن"_s},
        {u"Women"_s, true, u"(woman=) "_s, u"خانم"_s},
        {u"Stopped"_s, true, u"(stop=) "_s, u"(.vt)"_s},
        // Typed as a current Persian keyboard writes them, ZWNJ and all.
        {u"کتاب‌ها"_s, false, u"Plural: "_s, u"Book"_s},
        {u"درخت‌ها"_s, false, u"Plural: "_s, u"Tree"_s},
        {u"می‌روم"_s, false, u"(form) "_s, u"Go"_s},
        {u"رفتم"_s, false, u"Past: "_s, u"Go"_s},
        {u"خانه‌ام"_s, false, u"(form) "_s, u"House"_s},
        {u"چشم‌ها"_s, false, u"Plural: "_s, u"Eye"_s},
        {u"می‌شود"_s, false, u"(form) "_s, u"Become"_s},
        {u"آمد"_s, false, u"Past: "_s, u"Come"_s},
        // The team's colloquial spellings.
        {u"اگه"_s, false, u"(form) "_s, u"If"_s},
        {u"بهش"_s, false, u"(form) "_s, u"to him"_s},
    };
    for (const auto &[typed, english, opening, part] : forms) {
        const QString m = meaning(foldQuery(typed), english);
        EXPECT_TRUE(m.startsWith(opening) && m.contains(part))
            << typed.toStdString() << ": " << m.toStdString();
    }
    for (const QString &own : {u"Saw"_s, u"Left"_s, u"Better"_s}) {
        const QString m = meaning(own, true);
        EXPECT_FALSE(m.startsWith(u'(') && m.contains(u"=)"_s)) << own.toStdString();
    }
    EXPECT_FALSE(meaning(u"Bore"_s, true).contains(u"خرس"_s)); // bear, the animal
    EXPECT_FALSE(meaning(u"Booking"_s, true).contains(u"كتاب"_s));
    EXPECT_FALSE(meaning(u"Goed"_s, true) != u"<absent>"_s);
    EXPECT_FALSE(meaning(u"Childs"_s, true) != u"<absent>"_s);
}

} // namespace
