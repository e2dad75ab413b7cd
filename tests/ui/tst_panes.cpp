// The search panes, the exact-match switch and the cross lookup, driven
// through the window's own controls.
#include "texts.h"
#include "uifixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using vorlan::testing::rowsOf;
using vorlan::testing::selectedRowOf;
using vorlan::testing::typeText;
using vorlan::testing::WindowHarness;

class PaneTest : public QObject {
    Q_OBJECT

private:
    static QString meaningOf(WindowHarness &h, const char *box) {
        return h.find<QPlainTextEdit>(box)->toPlainText();
    }

private slots:
    void englishTyping_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("meaning");

        const QStringList none;
        QTest::newRow("one letter") << u"a"_s << false << none << u""_s << u""_s;
        QTest::newRow("one letter, spaces") << u" a "_s << false << none << u""_s << u""_s;
        QTest::newRow("one letter, star") << u"a*"_s << false << none << u""_s << u""_s;
        QTest::newRow("one letter, question mark") << u"?a"_s << false << none << u""_s << u""_s;
        QTest::newRow("contains, word-list order")
            << u"ar"_s << false << QStringList{u"A La Carte"_s, u"Aardwolf"_s, u"Bar"_s, u"Star"_s}
            << u""_s << u""_s;
        QTest::newRow("whole word selects its row")
            << u"aardwolf"_s << false << QStringList{u"Aardwolf"_s} << u"Aardwolf"_s << u"كفتار"_s;
        QTest::newRow("part of a word selects nothing")
            << u"aardwol"_s << false << QStringList{u"Aardwolf"_s} << u""_s << u""_s;
        QTest::newRow("question mark finds nothing") << u"ab?"_s << false << none << u""_s << u""_s;
        QTest::newRow("leading space keeps a word start")
            << u" la"_s << false << QStringList{u"A La Carte"_s} << u""_s << u""_s;
        QTest::newRow("hyphens shown as commas")
            << u"cross-eyed"_s << false << QStringList{u"Cross-eyed"_s} << u"Cross-eyed"_s
            << u"لوچ , دو,بين"_s;
        QTest::newRow("last record, despite its trailing NUL")
            << u"zymosthenic"_s << false << QStringList{u"Zymosthenic"_s} << u"Zymosthenic"_s
            << u"تخمير افزا"_s;
        QTest::newRow("unclosed list lists nothing") << u"[ab"_s << false << none << u""_s << u""_s;
        QTest::newRow("exact: whole word")
            << u"aardwolf"_s << true << QStringList{u"Aardwolf"_s} << u"Aardwolf"_s << u"كفتار"_s;
        QTest::newRow("exact: prefix pattern")
            << u"ab*"_s << true << QStringList{u"Aba"_s, u"Abacus"_s, u"Ablate"_s} << u""_s
            << u""_s;
        QTest::newRow("exact: last record needs a star")
            << u"zymosthenic"_s << true << none << u""_s << u""_s;
    }

    void englishTyping() {
        QFETCH(QString, typed);
        QFETCH(bool, exact);
        QFETCH(QStringList, rows);
        QFETCH(QString, selected);
        QFETCH(QString, meaning);
        WindowHarness h;
        h.find<QCheckBox>("chkMatch")->setChecked(exact);
        auto *search = h.find<QLineEdit>("txtEnSearch");
        QTest::keyClicks(search, typed);
        QCOMPARE(search->text(), typed); // never rewritten
        QCOMPARE(rowsOf(h.widget("lstEnFind")), rows);
        QCOMPARE(selectedRowOf(h.widget("lstEnFind")), selected);
        QCOMPARE(meaningOf(h, "txtEnMean"), meaning);
    }

    void persianTyping_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("meaning");

        QTest::newRow("keheh finds kaf and selects the word")
            << u"کتاب"_s << QStringList{u"كتاب"_s, u"كتابخانه"_s} << u"كتاب"_s
            << u"Book , Volume"_s;
        QTest::newRow("final alef maksura is yeh and a space")
            << u"آفتابى"_s << QStringList{u"آفتابي كردن"_s} << u""_s << u""_s;
        QTest::newRow("alef maksura before the next word")
            << u"آفتابىكردن"_s << QStringList{u"آفتابي كردن"_s} << u"آفتابي كردن"_s
            << u"Sun , Expose to the sun"_s;
        QTest::newRow("Farsi yeh and keheh")
            << u"یک"_s << QStringList{u"يك"_s} << u"يك"_s << u"One"_s;
        QTest::newRow("zero-width non-joiner is a space")
            << u"آفتابي\u200Cكردن"_s << QStringList{u"آفتابي كردن"_s} << u"آفتابي كردن"_s
            << u"Sun , Expose to the sun"_s;
        QTest::newRow("hyphen in the meaning") << u"آتش نشاني"_s << QStringList{u"آتش نشاني"_s}
                                               << u"آتش نشاني"_s << u"Fire,fighting"_s;
        QTest::newRow("last record")
            << u"ييلاقات"_s << QStringList{u"ييلاقات"_s} << u"ييلاقات"_s << u"Countryside"_s;
        QTest::newRow("question mark") << u"آب?"_s << QStringList{} << u""_s << u""_s;
        QTest::newRow("one letter") << u"آ"_s << QStringList{} << u""_s << u""_s;
    }

    void persianTyping() {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        QFETCH(QString, selected);
        QFETCH(QString, meaning);
        WindowHarness h;
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        QVERIFY(!h.englishShown());
        auto *search = h.find<QLineEdit>("txtFaSearch");
        typeText(search, typed);
        QCOMPARE(search->text(), typed); // keheh and the rest stay as typed
        QCOMPARE(rowsOf(h.widget("lstFaFind")), rows);
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), selected);
        QCOMPARE(meaningOf(h, "txtFaMean"), meaning);
    }

    void inputMethodCommitSearches() {
        WindowHarness h;
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        QInputMethodEvent commit;
        commit.setCommitString(u"ستاره"_s);
        QApplication::sendEvent(h.widget("txtFaSearch"), &commit);
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), u"ستاره"_s);
        QCOMPARE(meaningOf(h, "txtFaMean"), u"Star"_s);
    }

    void clickAndDoubleClickRows() {
        WindowHarness h;
        auto *list = h.find<QListView>("lstEnFind");
        auto *search = h.find<QLineEdit>("txtEnSearch");
        QTest::keyClicks(search, u"ab"_s);
        QCOMPARE(rowsOf(list), (QStringList{u"Aba"_s, u"Abacus"_s, u"Ablate"_s, u"Lab"_s}));
        QCOMPARE(selectedRowOf(list), QString());

        const QPoint abacus = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, abacus);
        QCOMPARE(meaningOf(h, "txtEnMean"), u"چرتكه"_s);

        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, abacus);
        QCOMPARE(search->text(), u"Abacus"_s);
        QCOMPARE(rowsOf(list), QStringList{u"Abacus"_s});
        QCOMPARE(selectedRowOf(list), u"Abacus"_s);
        QCOMPARE(meaningOf(h, "txtEnMean"), u"چرتكه"_s);

        // Arrow keys move the selection and the meaning follows.
        search->setText(u"ab"_s);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(selectedRowOf(list), u"Abacus"_s);
        QCOMPARE(meaningOf(h, "txtEnMean"), u"چرتكه"_s);
    }

    void doubleClickWithoutSelectionEmptiesThePane() {
        WindowHarness h;
        auto *list = h.find<QListView>("lstEnFind");
        QTest::keyClicks(h.widget("txtEnSearch"), u"ab"_s);
        const QPoint below(list->viewport()->width() / 2, list->viewport()->height() - 3);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(h.find<QLineEdit>("txtEnSearch")->text(), QString());
        QCOMPARE(rowsOf(list), QStringList());
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
        QCOMPARE(selectedRowOf(h.widget("lstEnFind")), u"Aba"_s);
        QCOMPARE(meaningOf(h, "txtEnMean"), u"عبا"_s);

        QTest::mouseClick(h.widget("chkMatch"), Qt::LeftButton);
        QCOMPARE(rowsOf(h.widget("lstEnFind")), (QStringList{u"Aba"_s, u"Abacus"_s}));
    }

    void crossLookupBothWaysAndBack() {
        WindowHarness h;
        QTest::keyClicks(h.widget("txtEnSearch"), u"book"_s);
        QCOMPARE(meaningOf(h, "txtEnMean"), u"كتاب , دفتر"_s);

        auto *enMean = h.find<QPlainTextEdit>("txtEnMean");
        QTest::mouseDClick(enMean->viewport(), Qt::LeftButton, {},
                           vorlan::testing::pointOfWord(enMean, u"كتاب"_s));
        QVERIFY(!h.englishShown());
        QCOMPARE(h.window().windowTitle(), vorlan::texts::kTitlePersianPane);
        QCOMPARE(h.find<QLineEdit>("txtFaSearch")->text(), u"كتاب"_s);
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), u"كتاب"_s);
        QCOMPARE(meaningOf(h, "txtFaMean"), u"Book , Volume"_s);

        auto *faMean = h.find<QPlainTextEdit>("txtFaMean");
        QTest::mouseDClick(faMean->viewport(), Qt::LeftButton, {},
                           vorlan::testing::pointOfWord(faMean, u"Volume"_s));
        QVERIFY(h.englishShown());
        QCOMPARE(h.find<QLineEdit>("txtEnSearch")->text(), u"Volume"_s);
        QCOMPARE(rowsOf(h.widget("lstEnFind")), QStringList());

        // Back to the Persian pane: exactly as it was left.
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        QCOMPARE(h.find<QLineEdit>("txtFaSearch")->text(), u"كتاب"_s);
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), u"كتاب"_s);
        QCOMPARE(meaningOf(h, "txtFaMean"), u"Book , Volume"_s);
        QCOMPARE(faMean->textCursor().selectedText(), u"Volume"_s);
    }

    void crossLookupUsesTheSelectionAsItStands_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("switches");
        QTest::addColumn<QString>("query");
        // Meaning shown: "Sun , Expose to the sun"
        QTest::newRow("nothing selected") << 0 << 0 << false << u""_s;
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
        QCOMPARE(h.find<QLineEdit>("txtEnSearch")->text(), switches ? query : u"lab"_s);
    }
};

QTEST_MAIN(PaneTest)
#include "tst_panes.moc"
