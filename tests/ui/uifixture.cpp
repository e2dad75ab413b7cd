#include "uifixture.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace vorlan::testing {

void typeText(QWidget *widget, const QString &text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QStringList rowsOf(QWidget *list) {
    auto *view = qobject_cast<QAbstractItemView *>(list);
    QStringList rows;
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        rows << view->model()->index(r, 0).data().toString();
    }
    return rows;
}

QString selectedRowOf(QWidget *list) {
    auto *view = qobject_cast<QAbstractItemView *>(list);
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    return selected.isEmpty() ? QString() : selected.first().data().toString();
}

QPoint pointOfWord(QWidget *meaningBox, const QString &word) {
    auto *box = qobject_cast<QPlainTextEdit *>(meaningBox);
    const qsizetype at = box->toPlainText().indexOf(word);
    QTextCursor cursor(box->document());
    cursor.setPosition(static_cast<int>(at + word.size() / 2));
    return box->cursorRect(cursor).center();
}

WindowHarness::WindowHarness(const FixtureLists &lists, DesktopServices *services) {
    addDictionary(provider_, lists);
    window_ = std::make_unique<frmDic>(services ? *services : fakes_, provider_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    // Start-up switches to the English pane once the window is up.
    QTRY_VERIFY(englishShown());
}

WindowHarness::~WindowHarness() = default;

bool WindowHarness::englishShown() const {
    return !widget("picEn")->isHidden() && widget("picFa")->isHidden();
}

void WindowHarness::showPane(bool english) {
    if (englishShown() != english) {
        window_->cmdLan_Click();
    }
}

} // namespace vorlan::testing
