// The search panes, the exact-match switch and the cross lookup, driven
// through the window's own controls. Which rows a query lists and selects is
// cDic::Lookup's, tested on small lists in the engine and coverage suites.
#include "uifixture.h"

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

QString textOf(WindowHarness &h, const char *box) {
    return h.find<QPlainTextEdit>(box)->toPlainText();
}

// A point at the foot of a list, below its last row when few are listed.
QPoint belowTheRows(QListView *list) {
    return {list->viewport()->width() / 2, list->viewport()->height() - 3};
}

} // namespace

class PaneTest : public QObject {
    Q_OBJECT

private slots:
    // What a pane shows for what is typed: its rows, the selected one and
    // its meaning with '-' shown as ','. The typed text is never rewritten,
    // and a query too short to search leaves no earlier result shown.
    void typing() {
        const struct {
            bool english;
            QString typed;
            QStringList rows;
            QString selected, meaning;
        } cases[] = {
            {true, u"aardwolf"_s, {u"Aardwolf"_s}, u"Aardwolf"_s, u"كفتار"_s},
            {true, u"aardwol"_s, {u"Aardwolf"_s}, {}, {}},
            {true, u"cross-eyed"_s, {u"Cross-eyed"_s}, u"Cross-eyed"_s, u"لوچ , دو,بين"_s},
            {true, u"a"_s, {}, {}, {}},
            {false, u"کتاب"_s, {u"كتاب"_s, u"كتابخانه"_s}, u"كتاب"_s, u"Book , Volume"_s},
        };
        WindowHarness h;
        for (const auto &c : cases) {
            h.showPane(c.english);
            auto *search = h.find<QLineEdit>(c.english ? "txtEnSearch" : "txtFaSearch");
            search->selectAll(); // typed over, not cleared first
            typeText(search, c.typed);
            QCOMPARE(search->text(), c.typed);
            QCOMPARE(rowsOf(h.widget(c.english ? "lstEnFind" : "lstFaFind")), c.rows);
            QCOMPARE(selectedRowOf(h.widget(c.english ? "lstEnFind" : "lstFaFind")), c.selected);
            QCOMPARE(textOf(h, c.english ? "txtEnMean" : "txtFaMean"), c.meaning);
        }
    }

    // A click on a row shows its meaning, as do the arrow keys; a click
    // below the rows is on no row and keeps the selection. A double-click,
    // on a row or below the rows, copies the selected row into the search
    // box, or empties the pane when none is selected.
    void clicksOnAndBelowTheRows() {
        WindowHarness h;
        auto *list = h.find<QListView>("lstEnFind");
        auto *search = h.find<QLineEdit>("txtEnSearch");
        QTest::keyClicks(search, u"ab"_s);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, belowTheRows(list));
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
        const QPoint ablate = list->visualRect(list->model()->index(2, 0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ablate);
        QCOMPARE(search->text(), u"Ablate"_s);
        QCOMPARE(rowsOf(list), QStringList{u"Ablate"_s});
        QCOMPARE(selectedRowOf(list), u"Ablate"_s);

        // In the Persian pane, below two rows and with one selected.
        h.showPane(false);
        search = h.find<QLineEdit>("txtFaSearch");
        list = h.find<QListView>("lstFaFind");
        typeText(search, u"کتاب"_s);
        QCOMPARE(rowsOf(list).size(), 2);
        const QPoint below = belowTheRows(list);
        QVERIFY(!list->indexAt(below).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(selectedRowOf(list), u"كتاب"_s);
        QCOMPARE(textOf(h, "txtFaMean"), u"Book , Volume"_s);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(search->text(), u"كتاب"_s); // the row as listed, not as typed
        QCOMPARE(selectedRowOf(list), u"كتاب"_s);
        QCOMPARE(textOf(h, "txtFaMean"), u"Book , Volume"_s);
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

    // The cross lookup takes the meaning's selection as it stands, only
    // spaces at its ends dropped; with nothing selected it does nothing.
    void crossLookupUsesTheSelectionAsItStands() {
        const struct {
            int from, length;
            bool switches;
            QString query;
        } cases[] = {
            // Meaning shown: "Sun , Expose to the sun"
            {0, 0, false, u"lab"_s},  {5, 8, true, u"Expose"_s}, {6, 9, true, u"Expose to"_s},
            {0, 5, true, u"Sun ,"_s}, {3, 1, true, u""_s},
        };
        WindowHarness h;
        auto *en = h.find<QLineEdit>("txtEnSearch");
        h.showPane(false);
        typeText(h.widget("txtFaSearch"), u"آفتابي كردن"_s);
        auto *box = h.find<QPlainTextEdit>("txtFaMean");
        for (const auto &c : cases) {
            en->setText(u"lab"_s);
            h.showPane(false);
            QTextCursor cursor(box->document());
            cursor.setPosition(c.from);
            cursor.setPosition(c.from + c.length, QTextCursor::KeepAnchor);
            box->setTextCursor(cursor);
            h.window().txtFaMean_DblClick();
            QCOMPARE(h.englishShown(), c.switches);
            QCOMPARE(en->text(), c.query);
        }
    }
};

QTEST_MAIN(PaneTest)
#include "tst_panes.moc"
