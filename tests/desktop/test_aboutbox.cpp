#include "aboutbox.h"
#include "fakes.h"
#include "messagebox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

TEST(AboutBox, MessageTitleAndStyle) {
    vorlan::FakeCallLog log;
    vorlan::FakeMessageBox box(log);
    vorlan::showAboutBox(box, nullptr);
    ASSERT_EQ(log.calls().size(), 1);
    const vorlan::FakeCall &call = log.calls().front();
    EXPECT_EQ(call.call, u"messageBox.messageBox"_s);

    const QString text = call.args.at(0).toString();
    EXPECT_EQ(text.split(u"\r\n"_s), QStringList({
                                         u"فرهنگ لغت دو زبانه ورلان"_s,
                                         u"ويرايش 1.1"_s,
                                         u""_s,
                                         u"كاري از گروه نرم افزاري رامتو"_s,
                                         u""_s,
                                         u"_________________________"_s,
                                         u"\tvorlan.example"_s,
                                     }));
    // Every line break is CR LF; no lone CR or LF.
    EXPECT_EQ(text.count(u'\n'), 6);
    EXPECT_EQ(text.count(u'\r'), 6);
    EXPECT_EQ(text.count(u'_'), 25);
    EXPECT_EQ(call.args.at(1).toString(), u"درباه نرم افزار"_s);
    EXPECT_EQ(call.args.at(2).toInt(), 0x180000);
}

// The direction a line is read in: that of its first strong character.
Qt::LayoutDirection firstStrongDirection(const QString &line) {
    for (const QChar ch : line) {
        switch (ch.direction()) {
        case QChar::DirL:
            return Qt::LeftToRight;
        case QChar::DirR:
        case QChar::DirAL:
            return Qt::RightToLeft;
        default:
            break;
        }
    }
    return Qt::LeftToRight;
}

// Runs inspect on the box the service shows, then presses its OK button.
int showAndInspect(int style, const std::function<void(QMessageBox *)> &inspect) {
    bool inspected = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        poll.stop();
        inspect(box);
        inspected = true;
        if (QAbstractButton *ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    });
    poll.start();
    vorlan::QtMessageBoxService service;
    const int answer =
        service.messageBox(nullptr, vorlan::aboutMessage(), vorlan::aboutTitle(), style);
    EXPECT_TRUE(inspected);
    return answer;
}

TEST(AboutBox, RealBoxFollowsTheStyle) {
    const struct {
        int style;
        Qt::LayoutDirection direction;
        bool alignedRight;
    } cases[] = {
        {vorlan::AboutStyle, Qt::RightToLeft, true},
        {vorlan::MB_RIGHT, Qt::LeftToRight, true},
        {vorlan::MB_RTLREADING, Qt::RightToLeft, false},
        {0, Qt::LeftToRight, false},
    };
    for (const auto &c : cases) {
        const int answer = showAndInspect(c.style, [&](QMessageBox *box) {
            EXPECT_EQ(box->windowTitle(), vorlan::aboutTitle());
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->layoutDirection(), c.direction) << c.style;
            EXPECT_TRUE(box->isModal());
            auto *label = box->findChild<QLabel *>(u"qt_msgbox_label"_s);
            ASSERT_NE(label, nullptr);
            // LF line breaks, the tab as spaces to column 8, and in right-to-left
            // reading every line read so, Latin-only ones too.
            QStringList expected = vorlan::aboutMessage().split(u"\r\n"_s);
            expected.last().replace(u'\t', QString(8, u' '));
            EXPECT_EQ(QString(label->text()).remove(QChar(0x200F)), expected.join(u'\n'));
            if (c.direction == Qt::RightToLeft) {
                for (const QString &line : label->text().split(u'\n')) {
                    EXPECT_EQ(firstStrongDirection(line), Qt::RightToLeft) << line.toStdString();
                }
            } else {
                EXPECT_FALSE(label->text().contains(QChar(0x200F)));
            }
            EXPECT_EQ(label->layoutDirection(), c.direction);
            // Right on the screen, whichever way the box is laid out.
            const Qt::Alignment visual =
                QStyle::visualAlignment(label->layoutDirection(), label->alignment());
            EXPECT_EQ(bool(visual & Qt::AlignRight), c.alignedRight) << c.style;
        });
        EXPECT_EQ(answer, 1);
    }
}

} // namespace
