#include "uifixture.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace vorlan::testing {

FixtureLists windowDictionary() {
    FixtureLists d;
    const QList<std::pair<QString, QString>> en = {
        {u"A"_s, u"حرف اول الفباي - حرف اضافه مثبت"_s},
        {u"A La Carte"_s, u"به انتخاب"_s},
        {u"Aardwolf"_s, u"كفتار"_s},
        {u"Aba"_s, u"عبا"_s},
        {u"Abacus"_s, u"چرتكه"_s},
        {u"Ablate"_s, u"فرسودن - خوردن"_s},
        {u"Apple"_s, u"سيب"_s},
        {u"Bar"_s, u"ميله - نوار"_s},
        {u"Book"_s, u"كتاب - دفتر"_s},
        {u"Bookcase"_s, u"قفسه كتاب"_s},
        {u"Cross-eyed"_s, u"لوچ - دو-بين"_s},
        {u"Hello"_s, u"سلام"_s},
        {u"Lab"_s, u"آزمايشگاه"_s},
        {u"Star"_s, u"ستاره"_s},
        {u"Zymosthenic"_s, u"تخمير افزا"_s},
    };
    for (const auto &[w, m] : en) {
        d.en << w;
        d.en2fa << m;
    }
    const QList<std::pair<QString, QString>> fa = {
        {u"آب"_s, u"Water - Aqueous - Bree"_s},
        {u"آب آورد"_s, u"Flotsam"_s},
        {u"آتش نشاني"_s, u"Fire-fighting"_s},
        {u"آفتابي"_s, u"Sunny"_s},
        {u"آفتابي كردن"_s, u"Sun - Expose to the sun"_s},
        {u"ستاره"_s, u"Star"_s},
        {u"كتاب"_s, u"Book - Volume"_s},
        {u"كتابخانه"_s, u"Library"_s},
        {u"يك"_s, u"One"_s},
        {u"ييلاقات"_s, u"Countryside"_s},
    };
    for (const auto &[w, m] : fa) {
        d.fa << w;
        d.fa2en << m;
    }
    return d;
}

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

} // namespace vorlan::testing
