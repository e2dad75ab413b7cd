// The word lists the build converted from the real Wiktionary extracts.
#include "folding.h"
#include "wordlistrules.h"
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

// The meaning of the record a word typed finds, as a current Persian keyboard
// writes it, ZWNJ and all; "<absent>" when there is none.
QString meaning(const QString &typed) {
    const QString word = foldQuery(typed);
    const bool persian = wordlist::containsPersianLetter(word);
    const qsizetype i = (persian ? fa : en).indexOf(word);
    return i < 0 ? u"<absent>"_s : (persian ? fa2en : en2fa).at(i);
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

// WORD|START|PART: the meaning WORD finds starts with START and holds PART.
TEST(RealLists, WellKnownWordsFormsAndNoJunk) {
    const QString shows[] = {
        // Beside the known answers: "turkey" and "Turkey" are one headword; romanisations
        // never become headwords.
        u"Abandon||(.vt): "_s, u"Turkey||بوقلمون"_s, u"Turkey||تركيه"_s, u"Cafe||كافه"_s,
        u"ايستادگي كردن||Resist"_s, u"Ketab|<absent>|"_s, u"Madar|<absent>|"_s,
        // What the cleaning must put first.
        u"Book|(.n): كتاب|"_s, u"Father|(.n): پدر|"_s, u"Apple|(.n): سيب|"_s,
        u"Genius|(.n): نابغه|"_s,
        // The core sense before the ones the 2015 list's gloss order put first.
        u"Hand|(.n): دست|"_s, u"Head|(.n): سر|"_s, u"Girl|(.n): دختر|"_s,
        // The team's sense before a source's misleading first one.
        u"But|اما|"_s, u"It|آن|"_s, u"Who|چه كسي|"_s,
        // The part of speech the word is mostly used as.
        u"Run|(.vi): دويدن|"_s, u"Want|(.vt): خواستن|"_s, u"Can|(.vt): توانستن|"_s,
        // Persian: a rare sense last; a past named after the word's own senses.
        u"است|Be|"_s, u"كرد|Kurd - Past: Do|"_s, u"كردم|Past: Do|"_s,
        // Lookup forms lead to their headword. CLDR's picture names and
        // reversed senses follow the form's meaning.
        u"Books|(book=) |چند كتاب"_s, u"Glasses|(glass=) |عينك"_s, u"Men|(man=) |مرد"_s,
        u"Feet|(foot=) |پا"_s,
        // The -ed beside a form WordNet lists; a part of speech from a link.
        u"Died|(die=) |مردن"_s, u"Worked|(work=) |كار"_s, u"Trees|(tree=) |درخت"_s,
        // The verb's senses, and its translation a source filed under the
        // noun, but never the noun's homograph.
        u"Drank|(drink=) |نوشيدن"_s, u"Bore|(bear=) |زاييدن"_s, u"Went|(go=) |رفتن"_s,
        // Putt's past, not put's; a billion today; a current first sense.
        u"Putted|(putt=) |"_s, u"Billion|ميليارد|"_s, u"Dismiss|(.vt): اخراج كردن|"_s,
        u"Children|(child=) |كودك"_s, u"Boxes|(box=) |جعبه"_s, u"Cities|(city=) |شهر"_s,
        u"Wrote|(write=) |نوشتن"_s, u"Women|(woman=) |خانم"_s, u"Stopped|(stop=) |(.vt)"_s,
        // Persian forms typed joined (the known answers hold the joiner's); the team's
        // colloquial spellings; CLDR's name of ؛ paired right.
        u"خانهام|(form) |House"_s, u"پایاننامه||Dissertation"_s, u"توجهم|(form) |Attention"_s,
        u"اگه|(form) |If"_s, u"بهش|(form) |to him"_s, u"Arabic semicolon|نقطه ويرگول|"_s};
    for (const QString &row : shows) {
        const QStringList f = row.split(u'|');
        const QString m = meaning(f[0]);
        EXPECT_TRUE(m.startsWith(f[1]) && m.contains(f[2]))
            << row.toStdString() << ": " << m.toStdString();
    }
    // WORD|PART: absent, or without PART.
    const QString never[] = {
        // What the cleaning and the corrections of source errors keep out.
        u"Who|سازمان بهداشت جهاني"_s, u"Book|نامك"_s, u"You|شم ارا"_s, u"Hello|religious:"_s,
        u"Hello|;"_s, u"Qibla|Persian"_s, u"Of|بهشتي"_s, u"Of|ezafe"_s, u"Chessboard|دشت"_s,
        u"Sixth of something|"_s, u"Directionally inside|"_s, u"A male surname|"_s,
        u"تريليون|Billion"_s, u"دونقطه عربي|"_s,
        // Forms that are no words or not of this word ("Bore" of the animal, a
        // modal's), and headwords that keep their own entry.
        u"Bore|خرس"_s, u"Booking|كتاب"_s, u"Costed|"_s, u"Woulds|"_s, u"Saw|=)"_s, u"Left|=)"_s,
        u"Better|=)"_s, u"Willing|(will=)"_s, u"Canned|"_s, u"Yeps|"_s, u"Germen|"_s, u"توجه ام|"_s,
        u"خهر ها|"_s, u"بر گشتهاين|"_s,
        // The old long scale; a spoken ending never takes a word's spelling (بده is "give!").
        u"Billion|تريليون"_s, u"بده|Bad"_s};
    for (const QString &row : never) {
        const QStringList f = row.split(u'|');
        const QString m = meaning(f[0]);
        EXPECT_TRUE(m == u"<absent>"_s || (!f[1].isEmpty() && !m.contains(f[1])))
            << row.toStdString() << ": " << m.toStdString();
    }
    const QString english = fa2en.join(u'\n');
    EXPECT_FALSE(english.contains(u"lternative form of"_s));
    EXPECT_FALSE(english.contains(u"&amp;"_s));
}

#ifdef VORLAN_CONVERTED_FROM_SOURCES
TEST(RealLists, ConvertingAgainGivesTheSameBytes) {
    QTemporaryDir out;
    QProcess tool;
    // The build's own inputs, joined by '|'.
    tool.start(QStringLiteral(VORLAN_WORDLISTS_TOOL),
               QStringLiteral(VORLAN_CONVERTER_INPUTS).split(u'|') +
                   QStringList{u"--out"_s, out.path()});
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

} // namespace
