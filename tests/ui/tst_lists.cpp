// Long result lists: a list box of tens of thousands of rows, and the window
// over the built-in word lists.
#include "cdic.h"
#include "uifixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using vorlan::testing::rowsOf;
using vorlan::testing::selectedRowOf;
using vorlan::testing::WindowHarness;

namespace {

vorlan::testing::FixtureLists manyHeadwords(int count) {
    vorlan::testing::FixtureLists lists = vorlan::testing::smallDictionary();
    lists.en.clear();
    lists.en2fa.clear();
    for (int i = 0; i < count; ++i) {
        lists.en << u"Word%1"_s.arg(i, 6, 10, QChar(u'0'));
        lists.en2fa << u"واژه %1"_s.arg(i);
    }
    return lists;
}

} // namespace

class ListTest : public QObject {
    Q_OBJECT

private slots:
    void moreRowsThanSixteenBitsHold() {
        const int count = 41000;
        WindowHarness h(manyHeadwords(count));
        h.find<QCheckBox>("chkMatch")->setChecked(true);
        auto *list = h.find<QListView>("lstEnFind");
        QTest::keyClicks(h.widget("txtEnSearch"), u"[a-z]*"_s);
        QCOMPARE(list->model()->rowCount(), count);
        const QModelIndex last = list->model()->index(count - 1, 0);
        QCOMPARE(last.data().toString(), u"Word040999"_s);
        QCOMPARE(last.data(Qt::UserRole).toInt(), count - 1);

        // A row far beyond 32,767 is selected by typing its word.
        h.find<QCheckBox>("chkMatch")->setChecked(false);
        h.find<QLineEdit>("txtEnSearch")->setText(u"word040321"_s);
        QCOMPARE(selectedRowOf(list), u"Word040321"_s);
        QCOMPARE(h.find<QPlainTextEdit>("txtEnMean")->toPlainText(), u"واژه 40321"_s);
        QVERIFY(list->visualRect(list->currentIndex()).intersects(list->viewport()->rect()));
    }

    void builtInLists() {
        // The window over the lists compiled into the program.
        vorlan::FakeDesktopServices fakes;
        vorlan::frmDic window(fakes);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const vorlan::cDic &dic = window.dictionary();
        QVERIFY(dic.enWords().RecordNumber() > 10000);

        auto *search = window.findChild<QLineEdit *>(u"txtEnSearch"_s);
        QTRY_COMPARE(QApplication::focusWidget(), search);
        QTest::keyClicks(search, u"water"_s);
        auto *list = window.findChild<QListView *>(u"lstEnFind"_s);
        QVERIFY(rowsOf(list).contains(u"Water"_s));
        QCOMPARE(selectedRowOf(list), u"Water"_s);
        QVERIFY(!window.findChild<QPlainTextEdit *>(u"txtEnMean"_s)->toPlainText().isEmpty());

        // The last English headword ends with U+0000 and still shows and selects.
        const int32_t lastIndex = dic.enWords().RecordNumber();
        QString last = dic.GetEnWord(lastIndex);
        QVERIFY(last.endsWith(QChar(0)));
        last.chop(1);
        search->setText(last.toLower());
        QCOMPARE(selectedRowOf(list), last);
    }
};

QTEST_MAIN(ListTest)
#include "tst_lists.moc"
