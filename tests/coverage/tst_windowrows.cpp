// The coverage report counts a word as found when the search pane would
// select a row for it. Here the real window over the built-in lists is asked
// the same: the common words and the known-answer words are typed into its
// search boxes, and the row it selects must be the one the report names.
#include "coverage.h"
#include "fakes.h"
#include "frmdic.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vorlan::coverage;

namespace {

// Enough of each frequency list to meet every shape its words take, in a
// few seconds.
constexpr int kWordsPerList = 1500;

// The record of the selected row, or -1.
int selectedRecord(QListView *list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().data(Qt::UserRole).toInt();
}

} // namespace

class WindowRowsTest : public QObject {
    Q_OBJECT

private slots:
    void reportSelectsWhatTheWindowSelects() {
        QString error;
        const auto lists = readLists(QStringLiteral(VORLAN_WORDLIST_DIR), &error);
        QVERIFY2(lists, qPrintable(error));
        const RowFinder finders[] = {RowFinder(lists->english), RowFinder(lists->persian)};

        QStringList words[2];
        const char *files[] = {"/en_50k.txt", "/fa_25k_odd.txt"};
        for (int l = 0; l < 2; ++l) {
            const auto listed =
                readFrequencyList(QStringLiteral(VORLAN_FREQUENCY_DIR) + QLatin1String(files[l]),
                                  l == 0 ? Language::English : Language::Persian, &error);
            QVERIFY2(listed, qPrintable(error));
            words[l] = listed->mid(0, kWordsPerList);
        }
        QFile table(QStringLiteral(VORLAN_KNOWN_ANSWERS));
        QVERIFY(table.open(QIODevice::ReadOnly));
        const auto answers = parseKnownAnswers(QString::fromUtf8(table.readAll()), &error);
        QVERIFY2(answers, qPrintable(error));
        for (const KnownAnswer &a : *answers) {
            words[a.from == Language::English ? 0 : 1].append(a.typed);
        }

        vorlan::FakeDesktopServices fakes;
        vorlan::frmDic window(fakes);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const char *boxes[] = {"txtEnSearch", "txtFaSearch"};
        const char *listNames[] = {"lstEnFind", "lstFaFind"};
        int selected[2] = {0, 0};
        for (int l = 0; l < 2; ++l) {
            auto *box = window.findChild<QLineEdit *>(QLatin1String(boxes[l]));
            auto *list = window.findChild<QListView *>(QLatin1String(listNames[l]));
            QVERIFY(box && list);
            for (const QString &word : std::as_const(words[l])) {
                box->setText(word); // runs the pane's change handler
                const int expected = finders[l].find(word);
                QVERIFY2(selectedRecord(list) == expected,
                         qPrintable(u"%1: the window selects %2, the report %3"_s.arg(word)
                                        .arg(selectedRecord(list))
                                        .arg(expected)));
                selected[l] += expected >= 0 ? 1 : 0;
            }
        }
        // Both outcomes occur on both sides, so neither path is trivially empty.
        QVERIFY(selected[0] > 0 && selected[0] < words[0].size());
        QVERIFY(selected[1] > 0 && selected[1] < words[1].size());
    }
};

QTEST_MAIN(WindowRowsTest)
#include "tst_windowrows.moc"
