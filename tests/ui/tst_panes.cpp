// The search panes, the exact-match switch and the cross lookup, driven
// through the window's own controls.
#include "uifixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using vorlan::testing::pointOfWord;
using vorlan::testing::rowsOf;
using vorlan::testing::selectedRowOf;
using vorlan::testing::typeText;
using vorlan::testing::WindowHarness;

namespace {

// Exact is the English pane with chkMatch ticked.
enum Mode { English, Exact, Persian };

void row(const char *tag, Mode mode, const QString &typed, const QStringList &rows,
         const QString &selected = {}, const QString &meaning = {}) {
    QTest::newRow(tag) << int(mode) << typed << rows << selected << meaning;
}

QString textOf(WindowHarness &h, const char *box) {
    return h.find<QPlainTextEdit>(box)->toPlainText();
}

} // namespace

class PaneTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("meaning");
        row("one letter", English, u"a"_s, {});
        row("contains, in word-list order", English, u"ar"_s,
            {u"A La Carte"_s, u"Aardwolf"_s, u"Bar"_s, u"Star"_s});
        row("whole word selects its row", English, u"aardwolf"_s, {u"Aardwolf"_s}, u"Aardwolf"_s,
            u"كفتار"_s);
        row("part of a word selects nothing", English, u"aardwol"_s, {u"Aardwolf"_s});
        row("question mark finds nothing", English, u"ab?"_s, {});
        row("leading space keeps a word start", English, u" la"_s, {u"A La Carte"_s});
        row("hyphens shown as commas", English, u"cross-eyed"_s, {u"Cross-eyed"_s}, u"Cross-eyed"_s,
            u"لوچ , دو,بين"_s);
        row("last record, despite its trailing NUL", English, u"zymosthenic"_s, {u"Zymosthenic"_s},
            u"Zymosthenic"_s, u"تخمير افزا"_s);
        row("unclosed list lists nothing", English, u"[ab"_s, {});
        row("exact: prefix pattern", Exact, u"ab*"_s, {u"Aba"_s, u"Abacus"_s, u"Ablate"_s});
        row("exact: last record needs a star", Exact, u"zymosthenic"_s, {});
        row("keheh finds kaf and selects the word", Persian, u"کتاب"_s, {u"كتاب"_s, u"كتابخانه"_s},
            u"كتاب"_s, u"Book , Volume"_s);
        row("final alef maksura is yeh and a space", Persian, u"آفتابى"_s, {u"آفتابي كردن"_s});
        row("alef maksura before the next word", Persian, u"آفتابىكردن"_s, {u"آفتابي كردن"_s},
            u"آفتابي كردن"_s, u"Sun , Expose to the sun"_s);
        row("Farsi yeh and keheh", Persian, u"یک"_s, {u"يك"_s}, u"يك"_s, u"One"_s);
        row("zero-width non-joiner is a space", Persian, u"آفتابي\u200Cكردن"_s, {u"آفتابي كردن"_s},
            u"آفتابي كردن"_s, u"Sun , Expose to the sun"_s);
        row("one Persian letter", Persian, u"آ"_s, {});
    }

    void typing() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        QFETCH(QString, selected);
        QFETCH(QString, meaning);
        WindowHarness h;
        const bool persian = mode == Persian;
        h.find<QCheckBox>("chkMatch")->setChecked(mode == Exact);
        if (persian) {
            h.window().cmdLan_Click();
        }
        auto *search = h.find<QLineEdit>(persian ? "txtFaSearch" : "txtEnSearch");
        // A query too short to search must not leave an earlier result listed.
        search->setText(persian ? u"آب"_s : u"ab"_s);
        search->clear();
        persian ? typeText(search, typed) : QTest::keyClicks(search, typed);
        QCOMPARE(search->text(), typed); // never rewritten
        QCOMPARE(rowsOf(h.widget(persian ? "lstFaFind" : "lstEnFind")), rows);
        QCOMPARE(selectedRowOf(h.widget(persian ? "lstFaFind" : "lstEnFind")), selected);
        QCOMPARE(textOf(h, persian ? "txtFaMean" : "txtEnMean"), meaning);
    }

    void clickDoubleClickAndArrowKeysOnRows() {
        WindowHarness h;
        auto *list = h.find<QListView>("lstEnFind");
        auto *search = h.find<QLineEdit>("txtEnSearch");
        // Double-clicking below the rows, with none selected, empties the pane.
        QTest::keyClicks(search, u"ab"_s);
        const QPoint below(list->viewport()->width() / 2, list->viewport()->height() - 3);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(search->text(), QString());
        QCOMPARE(rowsOf(list), QStringList());

        QTest::keyClicks(search, u"ab"_s);
        QCOMPARE(rowsOf(list), (QStringList{u"Aba"_s, u"Abacus"_s, u"Ablate"_s, u"Lab"_s}));

        const QPoint abacus = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, abacus);
        QCOMPARE(textOf(h, "txtEnMean"), u"چرتكه"_s);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(selectedRowOf(list), u"Ablate"_s);
        QCOMPARE(textOf(h, "txtEnMean"), u"فرسودن , خوردن"_s);
        // Double-clicking the selected row looks its word up.
        const QPoint ablate = list->visualRect(list->model()->index(2, 0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ablate);
        QCOMPARE(search->text(), u"Ablate"_s);
        QCOMPARE(rowsOf(list), QStringList{u"Ablate"_s});
        QCOMPARE(selectedRowOf(list), u"Ablate"_s);
    }

    // A click in the empty space below the last row is not a click on a
    // row: the selection, the meaning and, on a double-click, the query stay.
    void clickBelowTheRowsKeepsTheSelection_data() {
        QTest::addColumn<bool>("persian");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("English") << false << u"aba"_s << u"Aba"_s << u"عبا"_s;
        QTest::newRow("Persian") << true << u"كتاب"_s << u"كتاب"_s << u"Book , Volume"_s;
    }

    void clickBelowTheRowsKeepsTheSelection() {
        QFETCH(bool, persian);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QFETCH(QString, meaning);
        WindowHarness h;
        if (persian) {
            h.window().cmdLan_Click();
        }
        auto *search = h.find<QLineEdit>(persian ? "txtFaSearch" : "txtEnSearch");
        auto *list = h.find<QListView>(persian ? "lstFaFind" : "lstEnFind");
        const char *meaningBox = persian ? "txtFaMean" : "txtEnMean";
        typeText(search, typed);
        const QStringList rows = rowsOf(list);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(selectedRowOf(list), selected);

        const QRect last = list->visualRect(list->model()->index(rows.size() - 1, 0));
        const QPoint below(last.center().x(), last.bottom() + last.height());
        QVERIFY(list->viewport()->rect().contains(below));
        QVERIFY(!list->indexAt(below).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(selectedRowOf(list), selected);
        QCOMPARE(textOf(h, meaningBox), meaning);
        // The double-click copies the selected row, as anywhere in the list.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(search->text(), selected);
        QCOMPARE(selectedRowOf(list), selected);
        QCOMPARE(textOf(h, meaningBox), meaning);
    }

    void exactMatchRebuildsBothPanes() {
        WindowHarness h;
        QTest::keyClicks(h.widget("txtEnSearch"), u"aba"_s);
        QCOMPARE(rowsOf(h.widget("lstEnFind")), (QStringList{u"Aba"_s, u"Abacus"_s}));
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        typeText(h.widget("txtFaSearch"), u"كتاب"_s);
        QCOMPARE(rowsOf(h.widget("lstFaFind")), (QStringList{u"كتاب"_s, u"كتابخانه"_s}));

        QTest::mouseClick(h.widget("chkMatch"), Qt::LeftButton);
        QCOMPARE(rowsOf(h.widget("lstFaFind")), QStringList{u"كتاب"_s});
        QCOMPARE(rowsOf(h.widget("lstEnFind")), QStringList{u"Aba"_s}); // hidden pane too
        QCOMPARE(textOf(h, "txtEnMean"), u"عبا"_s);

        QTest::mouseClick(h.widget("chkMatch"), Qt::LeftButton);
        QCOMPARE(rowsOf(h.widget("lstEnFind")), (QStringList{u"Aba"_s, u"Abacus"_s}));
    }

    void crossLookupBothWaysAndBack() {
        WindowHarness h;
        QTest::keyClicks(h.widget("txtEnSearch"), u"book"_s);
        auto *enMean = h.find<QPlainTextEdit>("txtEnMean");
        QCOMPARE(enMean->toPlainText(), u"كتاب , دفتر"_s);
        QTest::mouseDClick(enMean->viewport(), Qt::LeftButton, {}, pointOfWord(enMean, u"كتاب"_s));
        QVERIFY(!h.englishShown());
        QCOMPARE(h.find<QLineEdit>("txtFaSearch")->text(), u"كتاب"_s);
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), u"كتاب"_s);
        QCOMPARE(textOf(h, "txtFaMean"), u"Book , Volume"_s);

        auto *faMean = h.find<QPlainTextEdit>("txtFaMean");
        QTest::mouseDClick(faMean->viewport(), Qt::LeftButton, {},
                           pointOfWord(faMean, u"Volume"_s));
        QVERIFY(h.englishShown());
        QCOMPARE(h.find<QLineEdit>("txtEnSearch")->text(), u"Volume"_s);
        QCOMPARE(rowsOf(h.widget("lstEnFind")), QStringList());

        // Back to the Persian pane: exactly as it was left.
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        QCOMPARE(h.find<QLineEdit>("txtFaSearch")->text(), u"كتاب"_s);
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), u"كتاب"_s);
        QCOMPARE(faMean->toPlainText(), u"Book , Volume"_s);
        QCOMPARE(faMean->textCursor().selectedText(), u"Volume"_s);
    }

    void crossLookupUsesTheSelectionAsItStands_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("switches");
        QTest::addColumn<QString>("query");
        // Meaning shown: "Sun , Expose to the sun"
        QTest::newRow("nothing selected") << 0 << 0 << false << u"lab"_s;
        QTest::newRow("spaces at the ends are dropped") << 5 << 8 << true << u"Expose"_s;
        QTest::newRow("several words stay one query") << 6 << 9 << true << u"Expose to"_s;
        QTest::newRow("punctuation stays") << 0 << 5 << true << u"Sun ,"_s;
        QTest::newRow("only spaces empty the other pane") << 3 << 1 << true << u""_s;
    }

    void crossLookupUsesTheSelectionAsItStands() {
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(bool, switches);
        QFETCH(QString, query);
        WindowHarness h;
        QTest::keyClicks(h.widget("txtEnSearch"), u"lab"_s);
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        typeText(h.widget("txtFaSearch"), u"آفتابي كردن"_s);
        auto *box = h.find<QPlainTextEdit>("txtFaMean");
        QTextCursor cursor(box->document());
        cursor.setPosition(from);
        cursor.setPosition(from + length, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);

        h.window().txtFaMean_DblClick();
        QCOMPARE(h.englishShown(), switches);
        QCOMPARE(h.find<QLineEdit>("txtEnSearch")->text(), query);
    }
};

QTEST_MAIN(PaneTest)
#include "tst_panes.moc"
