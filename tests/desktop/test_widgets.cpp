// The window's own widgets: the About box (how it reads is the window's
// test), the pin, and the search boxes' paste.
#include "aboutbox.h"
#include "fakes.h"
#include "messagebox.h"
#include "pastelineedit.h"
#include "top.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// One box at a time, whoever calls: a call while a box is open raises that
// box; once answered (OK, Escape or the title bar's close) it is deleted, and
// the next call shows a new one.
TEST(AboutBox, OneBoxAtATimeDeletedOnceClosed) {
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    vorlan::QtMessageBoxService service;
    const std::function<void(QMessageBox *)> answers[] = {
        [](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); },
        [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QMessageBox *box) { box->close(); },
    };
    for (const auto &answer : answers) {
        service.messageBox(&window, vorlan::aboutMessage(), vorlan::aboutTitle(),
                           vorlan::AboutStyle);
        service.messageBox(&window, u"other"_s, u"other"_s, 0);
        service.messageBox(nullptr, vorlan::aboutMessage(), vorlan::aboutTitle(),
                           vorlan::AboutStyle);
        // A second box would stand above the first, and stay once it is gone.
        const QPointer<QMessageBox> box =
            qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box && box->isVisible());
        EXPECT_EQ(box->windowTitle(), vorlan::aboutTitle());
        EXPECT_EQ(box->parentWidget(), &window);
        answer(box);
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); })) << "not deleted";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

struct TopTest : testing::Test {
    vorlan::FakeCallLog log;
    vorlan::FakeStacking stacking{log};
    QWidget window;
    vorlan::Top *top = new vorlan::Top(stacking, &window);
    QLabel *picNormal = top->findChild<QLabel *>(u"picNormal"_s);
    QLabel *picTop = top->findChild<QLabel *>(u"picTop"_s);

    void SetUp() override {
        ASSERT_TRUE(picNormal != nullptr && picTop != nullptr);
        top->UserControl_ReadProperties({});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // The one picture shown.
    QLabel *shown() const {
        return picNormal->isHidden() == picTop->isHidden() ? nullptr
               : picTop->isHidden()                        ? picNormal
                                                           : picTop;
    }
};

TEST_F(TopTest, EachClickFlipsPictureAndStacking) {
    QLabel *shownAtClick = nullptr;
    QObject::connect(top, &vorlan::Top::Click, [&] { shownAtClick = shown(); });
    EXPECT_EQ(shown(), picNormal);
    QTest::mouseClick(picNormal, Qt::LeftButton);
    EXPECT_EQ(shown(), picTop);
    QTest::mouseClick(picTop, Qt::RightButton); // no click
    QTest::mouseClick(picTop, Qt::LeftButton);
    EXPECT_EQ(shown(), picNormal);
    // The bare surface raises Click before the flip.
    QTest::mouseClick(top, Qt::LeftButton);
    EXPECT_EQ(shownAtClick, picNormal);
    EXPECT_EQ(shown(), picTop);
    // The window holding the control is the one pinned.
    const QString call = u"stacking.setTopmost(%1, %2)"_s.arg(qint32(window.winId()));
    EXPECT_EQ(log.summary(),
              QStringList({call.arg(u"true"_s), call.arg(u"false"_s), call.arg(u"true"_s)}));

    // -1 turns the pin off.
    log.clear();
    top->setHandelObject(-1);
    QTest::mouseClick(picTop, Qt::LeftButton);
    EXPECT_EQ(shown(), picTop);
    EXPECT_TRUE(log.calls().isEmpty());
}

TEST_F(TopTest, ReadPropertiesTakesOnlyASaved32BitHandle) {
    const qint64 own = qint32(window.winId());
    const std::pair<QVariant, qint64> cases[] = {
        {QVariant(1234), 1234}, {QVariant(u"pinned"_s), own}, {QVariant(qint64(1) << 40), own}};
    for (const auto &[saved, expected] : cases) {
        top->UserControl_ReadProperties({{u"HandelObject"_s, saved}});
        EXPECT_EQ(top->HandelObject(), expected) << saved.toString().toStdString();
    }
}

TEST_F(TopTest, KeepsThePicturesSizeAndBothAreDrawn) {
    // 240 x 210 twips: 16 x 14 pixels at 96 DPI.
    const QSize picture(qRound(240 * top->logicalDpiX() / 1440.0),
                        qRound(210 * top->logicalDpiY() / 1440.0));
    for (const QSize wanted : {QSize(100, 50), QSize(1, 1)}) {
        top->resize(wanted);
        EXPECT_EQ(top->size(), picture);
    }
    QList<QImage> images;
    for (const QLabel *box : {picNormal, picTop}) {
        images << box->pixmap().toImage();
        QImage blank(images.last().size(), images.last().format());
        blank.fill(Qt::transparent);
        EXPECT_NE(images.last(), blank) << "nothing drawn";
    }
    EXPECT_NE(images[0], images[1]);
}

// A paste goes where the cursor or selection was when it was asked (the
// cursor moved since or not), or, after an edit meanwhile, where the cursor
// is when the text comes. Each is an undo step of its own, apart from the
// typing before and after; no text (none in time) changes nothing.
TEST(PasteLineEdit, PastesWhereAskedAsOneUndoStep) {
    vorlan::FakeCallLog log;
    vorlan::FakeClipboard clipboard(log);
    clipboard.setHeld(true);
    // In "abcd": the selection when asked, the keys meanwhile, the
    // clipboard's text; the box's text then, and after one undo.
    const std::tuple<int, int, QString, QString, QString, QString> cases[] = {
        {1, 2, u"Ctrl+V, End"_s, u"XY"_s, u"aXYd"_s, u"abcd"_s},
        {1, 0, u"Ctrl+V, E"_s, u"XY"_s, u"aeXYbcd"_s, u"aebcd"_s},
        {2, 0, u"Ctrl+V, Ctrl+V"_s, u"XY"_s, u"abXYXYcd"_s, u"abXYcd"_s},
        {1, 2, u"Ctrl+V"_s, u""_s, u"abcd"_s, u"abcd"_s},
    };
    for (const auto &[start, length, keys, text, pasted, undone] : cases) {
        SCOPED_TRACE((keys + u' ' + text).toStdString());
        vorlan::PasteLineEdit box(clipboard);
        box.setText(u"abcd"_s);
        box.setSelection(start, length);
        QTest::keySequence(&box, QKeySequence(keys));
        clipboard.setText(text);
        clipboard.answer();
        EXPECT_EQ(box.text(), pasted);
        QTest::keyClick(&box, 'z');
        box.undo();
        EXPECT_EQ(box.text(), pasted);
        box.undo();
        EXPECT_EQ(box.text(), undone);
    }
}

} // namespace
