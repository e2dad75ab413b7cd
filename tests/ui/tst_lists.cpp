// Long result lists: a list box of tens of thousands of rows, and the window
// over the built-in word lists.
#include "cdic.h"
#include "uifixture.h"

#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using vorlan::testing::selectedRowOf;

class ListTest : public QObject {
    Q_OBJECT

private slots:
    void moreRowsThanSixteenBitsHold() {
        vorlan::testing::FixtureLists lists = vorlan::testing::smallDictionary();
        lists.en.clear();
        lists.en2fa.clear();
        for (int i = 0; i < 41000; ++i) {
            lists.en << u"Word%1"_s.arg(i, 6, 10, QChar(u'0'));
            lists.en2fa << u"واژه %1"_s.arg(i);
        }
        lists.en << u"Ord"_s; // contained in every other headword, and last
        lists.en2fa << u"ترتيب"_s;
        vorlan::testing::WindowHarness h(lists);
        auto *list = h.find<QListView>("lstEnFind");
        QTest::keyClicks(h.widget("txtEnSearch"), u"ord"_s);
        QCOMPARE(list->model()->rowCount(), 41001);
        QCOMPARE(list->model()->index(40999, 0).data().toString(), u"Word040999"_s);
        QCOMPARE(list->model()->index(41000, 0).data(Qt::UserRole).toInt(), 41000);
        // The row far beyond 32,767 that equals the query is selected and shown.
        QCOMPARE(selectedRowOf(list), u"Ord"_s);
        QCOMPARE(h.find<QPlainTextEdit>("txtEnMean")->toPlainText(), u"ترتيب"_s);
        QVERIFY(list->visualRect(list->currentIndex()).intersects(list->viewport()->rect()));
    }

    void builtInLists() {
        vorlan::FakeDesktopServices fakes;
        vorlan::frmDic window(fakes);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *search = window.findChild<QLineEdit *>(u"txtEnSearch"_s);
        auto *list = window.findChild<QListView *>(u"lstEnFind"_s);
        QTRY_COMPARE(QApplication::focusWidget(), search);
        QTest::keyClicks(search, u"water"_s);
        QCOMPARE(selectedRowOf(list), u"Water"_s);
        QVERIFY(!window.findChild<QPlainTextEdit *>(u"txtEnMean"_s)->toPlainText().isEmpty());

        // The last English headword ends with U+0000 and still shows and selects.
        const vorlan::cDic &dic = window.dictionary();
        QString last = dic.GetEnWord(dic.enWords().RecordNumber());
        QVERIFY(last.endsWith(QChar(0)));
        last.chop(1);
        search->setText(last.toLower());
        QCOMPARE(selectedRowOf(list), last);
    }
};

QTEST_MAIN(ListTest)
#include "tst_lists.moc"
