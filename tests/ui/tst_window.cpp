// The window as a whole: start-up, layout, keyboard commands, the pane
// toggle and what it asks of the desktop, the clipboard watcher, speech and
// the About box.
#include "aboutbox.h"
#include "fonts.h"
#include "mdic.h"
#include "messagebox.h"
#include "texts.h"
#include "uifixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;
using vorlan::FakeDesktopServices;
using vorlan::testing::rowsOf;
using vorlan::testing::selectedRowOf;
using vorlan::testing::typeText;
using vorlan::testing::WindowHarness;

namespace {

// Fakes throughout, except for the parts a test replaces.
class MixedServices : public vorlan::DesktopServices {
public:
    vorlan::KeyboardService &keyboard() override {
        return keyboardOverride ? *keyboardOverride : fakes.keyboard();
    }
    vorlan::ClipboardService &clipboard() override { return fakes.clipboard(); }
    vorlan::StackingService &stacking() override { return fakes.stacking(); }
    vorlan::SpeechService &speech() override { return fakes.speech(); }
    vorlan::MessageBoxService &messageBox() override {
        return messageBoxOverride ? *messageBoxOverride : fakes.messageBox();
    }
    FakeDesktopServices fakes;
    vorlan::KeyboardService *keyboardOverride = nullptr;
    vorlan::MessageBoxService *messageBoxOverride = nullptr;
};

// A desktop whose keyboard calls all fail with an error.
class FailingKeyboard : public vorlan::KeyboardService {
public:
    bool loadKeyboardLayout(const QString &) override { throw std::runtime_error("no layouts"); }
    bool sendCtrlShift() override { throw std::runtime_error("no keys"); }
};

QStringList keyboardCalls(FakeDesktopServices &fakes) {
    QStringList lines;
    for (const vorlan::FakeCall &call : fakes.log().calls(u"keyboard."_s)) {
        lines << call.call + u'(' + (call.args.isEmpty() ? QString() : call.args[0].toString()) +
                     u")@"_s + call.focus;
    }
    return lines;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsByName() {
        // Object names are the control names: tests and accessibility tools find them.
        const std::pair<const char *, const char *> controls[] = {
            {"picEn", "QWidget"},
            {"Frame3", "QGroupBox"},
            {"txtEnMean", "QPlainTextEdit"},
            {"frEn", "QGroupBox"},
            {"txtEnSearch", "QLineEdit"},
            {"lstEnFind", "QListView"},
            {"picTools", "QWidget"},
            {"cmdSpeakIt", "QPushButton"},
            {"tmrClip", "QTimer"},
            {"picHelpIcon", "QLabel"},
            {"cmdLan", "QPushButton"},
            {"chkMatch", "QCheckBox"},
            {"chkClip", "QCheckBox"},
            {"Top1", "QWidget"},
            {"Frame2", "QFrame"},
            {"picFa", "QWidget"},
            {"Frame1", "QGroupBox"},
            {"txtFaSearch", "QLineEdit"},
            {"lstFaFind", "QListView"},
            {"frFa", "QGroupBox"},
            {"txtFaMean", "QPlainTextEdit"},
        };
        WindowHarness h;
        for (const auto &[name, className] : controls) {
            QObject *control = h.window().findChild<QObject *>(QString::fromLatin1(name));
            QVERIFY2(control && control->inherits(className), name);
        }
    }

    void startState() {
        WindowHarness h;
        QCOMPARE(h.window().objectName(), u"frmDic"_s);
        QVERIFY(h.englishShown());
        QCOMPARE(QApplication::focusWidget(), h.widget("txtEnSearch"));
        QCOMPARE(h.window().windowTitle(), vorlan::texts::kTitleEnglishPane);
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"En"_s);
        QVERIFY(!h.find<QCheckBox>("chkMatch")->isChecked());
        QVERIFY(!h.find<QCheckBox>("chkClip")->isChecked());
        QVERIFY(!h.find<QTimer>("tmrClip")->isActive());
        QCOMPARE(h.find<QTimer>("tmrClip")->interval(), 500);
        QVERIFY(h.find<QPlainTextEdit>("txtEnMean")->isReadOnly());
        QVERIFY(h.find<QPlainTextEdit>("txtFaMean")->isReadOnly());
        QCOMPARE(h.find<QLineEdit>("txtFaSearch")->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(h.find<QLineEdit>("txtEnSearch")->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);
        // Start-up switched once, to English: a layout change, no chord.
        QCOMPARE(keyboardCalls(h.fakes()),
                 QStringList{u"keyboard.loadKeyboardLayout(00000409)@txtEnSearch"_s});
    }

    void geometryInTwips() {
        WindowHarness h;
        const double perPixel = 1440.0 / h.window().screen()->logicalDotsPerInchY();
        const auto px = [&](int twips) { return qRound(twips / perPixel); };
        // The shown pane sits at the top whichever it is; the strip at the bottom.
        QCOMPARE(h.widget("picEn")->geometry(), QRect(0, 0, px(5745), px(3075)));
        QCOMPARE(h.widget("picTools")->y() + h.widget("picTools")->height(), h.window().height());
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        QCOMPARE(h.widget("picFa")->geometry(), QRect(0, 0, px(5745), px(3075)));
        QCOMPARE(h.widget("txtFaSearch")->geometry(), QRect(px(120), px(240), px(2450), px(285)));
        // Fixed size: the outer height stays 4,260 twips.
        QCOMPARE(h.window().minimumSize(), h.window().maximumSize());
        QCOMPARE(h.window().frameGeometry().height(), px(4260));
        QCOMPARE(h.window().width(), px(5745));
    }

    void placement_data() {
        QTest::addColumn<double>("screenWidth");
        QTest::addColumn<double>("screenHeight");
        QTest::addColumn<double>("windowWidth");
        QTest::addColumn<double>("windowHeight");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::newRow("768 high") << 15360.0 << 11520.0 << 5835.0 << 4260.0 << 4762.5f << 2420.0f;
        QTest::newRow("odd difference keeps half a twip")
            << 12001.0 << 9000.0 << 5835.0 << 4260.0 << 3083.0f << 1580.0f;
        QTest::newRow("smaller than the window")
            << 3000.0 << 2000.0 << 5835.0 << 4260.0 << -1417.5f << -753.3333f;
        QTest::newRow("sizes round to even")
            << 10000.5 << 9000.5 << 5000.0 << 4000.0 << 2500.0f << 1666.6666f;
        QTest::newRow("large screen")
            << 57600.0 << 32400.0 << 5835.0 << 4260.0 << 25882.5f << 9380.0f;
    }

    void placement() {
        QFETCH(double, screenWidth);
        QFETCH(double, screenHeight);
        QFETCH(double, windowWidth);
        QFETCH(double, windowHeight);
        QFETCH(float, left);
        QFETCH(float, top);
        const auto p =
            vorlan::mDic::placement(screenWidth, screenHeight, windowWidth, windowHeight);
        QCOMPARE(p.left, left);
        QCOMPARE(p.top, top);
    }

    void placedOnItsScreen() {
        WindowHarness h;
        const QSize screen = h.window().screen()->geometry().size();
        const double perPixel = 1440.0 / h.window().screen()->logicalDotsPerInchX();
        const auto expected =
            vorlan::mDic::placement(screen.width() * perPixel, screen.height() * perPixel,
                                    h.window().width() * perPixel, 4260.0);
        QCOMPARE(h.window().leftTwips(), expected.left);
        QCOMPARE(h.window().topTwips(), expected.top);
        QCOMPARE(h.window().frameGeometry().topLeft(),
                 QPoint(qRound(expected.left / perPixel), qRound(expected.top / perPixel)));
    }

    void escapeAndF1IgnoreModifiers_data() {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("none") << int(Qt::NoModifier);
        QTest::newRow("shift") << int(Qt::ShiftModifier);
        QTest::newRow("ctrl") << int(Qt::ControlModifier);
        QTest::newRow("alt") << int(Qt::AltModifier);
        QTest::newRow("all") << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    }

    void escapeAndF1IgnoreModifiers() {
        QFETCH(int, modifiers);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        WindowHarness h;
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape, mods);
        QVERIFY(!h.englishShown());
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"Fa"_s);
        QCOMPARE(QApplication::focusWidget(), h.widget("txtFaSearch"));
        QTest::keyClick(h.widget("txtFaSearch"), Qt::Key_F1, mods);
        const QList<vorlan::FakeCall> boxes = h.fakes().log().calls(u"messageBox."_s);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].args.value(0).toString(), vorlan::aboutMessage());
        QCOMPARE(boxes[0].args.value(1).toString(), vorlan::aboutTitle());
        QCOMPARE(boxes[0].args.value(2).toInt(), 0x180000);
        QVERIFY(!h.englishShown()); // F1 switches nothing
    }

    void otherKeysReachTheControl() {
        WindowHarness h;
        auto *search = h.find<QLineEdit>("txtEnSearch");
        QTest::keyClicks(search, u"bo"_s);
        QTest::keyClick(search, Qt::Key_F2);
        QTest::keyClick(search, Qt::Key_Backspace);
        QTest::keyClick(search, Qt::Key_O);
        QCOMPARE(search->text(), u"bo"_s);
        QVERIFY(h.englishShown());
        QCOMPARE(h.fakes().log().calls(u"messageBox."_s).size(), 0);
    }

    void toggleOrderOfDesktopCalls() {
        WindowHarness h;
        h.fakes().log().clear();
        QTest::mouseClick(h.widget("cmdLan"), Qt::LeftButton);
        QVERIFY(!h.englishShown());
        QCOMPARE(h.window().windowTitle(), vorlan::texts::kTitlePersianPane);
        // Focus first, then the chord while the Persian box has the focus,
        // then the Persian layout.
        QCOMPARE(keyboardCalls(h.fakes()),
                 (QStringList{u"keyboard.sendCtrlShift()@txtFaSearch"_s,
                              u"keyboard.loadKeyboardLayout(00000429)@txtFaSearch"_s}));
        h.fakes().log().clear();
        QTest::mouseClick(h.widget("cmdLan"), Qt::LeftButton);
        QVERIFY(h.englishShown());
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"En"_s);
        QCOMPARE(keyboardCalls(h.fakes()),
                 QStringList{u"keyboard.loadKeyboardLayout(00000409)@txtEnSearch"_s});
    }

    void toggleGoesOnWhenStepsFail() {
        MixedServices services;
        FailingKeyboard failing;
        services.keyboardOverride = &failing;
        WindowHarness h(vorlan::testing::smallDictionary(), &services);
        h.find<QLineEdit>("txtFaSearch")->setEnabled(false); // cannot take the focus
        h.window().cmdLan_Click();
        QVERIFY(!h.englishShown());
        QCOMPARE(h.window().windowTitle(), vorlan::texts::kTitlePersianPane);
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"Fa"_s);
        h.window().cmdLan_Click();
        QVERIFY(h.englishShown());
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"En"_s);
    }

    void visibilityDecidesTheDirection() {
        WindowHarness h;
        h.find<QPushButton>("cmdLan")->setText(u"Fa"_s); // disagrees with the pane shown
        h.window().cmdLan_Click();
        QVERIFY(!h.englishShown());
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"Fa"_s);
    }

    void fontsDrawEveryPersianCaption() {
        WindowHarness h;
        QStringList texts = {vorlan::texts::kTitleEnglishPane,
                             vorlan::texts::kTitlePersianPane,
                             vorlan::texts::kExactMatch,
                             vorlan::texts::kClipboardWatch,
                             vorlan::texts::kPinToolTip,
                             vorlan::aboutMessage(),
                             vorlan::aboutTitle()};
        const vorlan::testing::FixtureLists lists = vorlan::testing::smallDictionary();
        texts << lists.fa << lists.en2fa;
        for (const char *name : {"txtEnMean", "txtFaSearch", "lstFaFind", "chkMatch", "chkClip"}) {
            const QFont font = h.widget(name)->font();
            for (const QString &text : texts) {
                QVERIFY2(vorlan::fontDrawsText(font, text),
                         qPrintable(font.family() + u": "_s + text));
            }
        }
        QCOMPARE(h.widget("txtEnSearch")->font().pointSizeF(), 8.25);
    }

    void clipboardTicks() {
        WindowHarness h;
        auto &clip = h.fakes().fakeClipboard();
        auto *en = h.find<QLineEdit>("txtEnSearch");
        auto *fa = h.find<QLineEdit>("txtFaSearch");
        // Persian pane shown: an English word fills the English box first,
        // then the pane switches.
        h.window().cmdLan_Click();
        clip.setText(u"  Hello world  "_s);
        h.window().tmrClip_Timer();
        QCOMPARE(en->text(), u"Hello"_s);
        QVERIFY(h.englishShown());
        QCOMPARE(selectedRowOf(h.widget("lstEnFind")), u"Hello"_s);

        const struct {
            QString clipboard;
            bool unreadable;
            QString english;
            QString persian;
            QString last;
        } ticks[] = {
            {u"apple pie"_s, false, u"apple"_s, u""_s, u"apple"_s},
            {u"apple tart"_s, false, u"typed"_s, u""_s, u"apple"_s}, // same word: nothing
            {u"Apple"_s, false, u"Apple"_s, u""_s, u"Apple"_s},      // case counts
            {u"123 abc"_s, false, u"typed"_s, u""_s, u"123"_s},
            {u"abcdefghijklmnopqrstuvwxyzabcd"_s, false, u"abcdefghijklmnopqrst"_s, u""_s,
             u"abcdefghijklmnopqrst"_s},
            {u"star\r\n"_s, false, u"star\r\n"_s, u""_s, u"star\r\n"_s},
            {u"star\r\n"_s, true, u"typed"_s, u""_s, u""_s}, // unreadable: empty word
            {u"star\r\n"_s, false, u"star\r\n"_s, u""_s, u"star\r\n"_s},
            {u"یک کتاب"_s, false, u"typed"_s, u"یک"_s, u"یک"_s},
            {u"\u0623\u0628"_s, false, u"typed"_s, u"typed"_s, u"\u0623\u0628"_s},
        };
        for (const auto &t : ticks) {
            en->setText(u"typed"_s);
            fa->setText(u"typed"_s);
            clip.setText(t.clipboard);
            clip.setUnreadable(t.unreadable);
            h.window().tmrClip_Timer();
            QCOMPARE(en->text(), t.english);
            QCOMPARE(fa->text(), t.persian.isEmpty() ? u"typed"_s : t.persian);
            QCOMPARE(h.window().lastClipWord(), t.last);
        }
        // The Persian word switched to the Persian pane, with its layout.
        QVERIFY(!h.englishShown());
        QCOMPARE(selectedRowOf(h.widget("lstFaFind")), QString()); // "typed" was replaced
    }

    void clipboardWatcherRunsOnlyWhenTicked() {
        WindowHarness h;
        auto *box = h.find<QCheckBox>("chkClip");
        auto *timer = h.find<QTimer>("tmrClip");
        h.fakes().fakeClipboard().setText(u"bookcase"_s);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtEnSearch")->text(), u"bookcase"_s, 2000);
        QCOMPARE(selectedRowOf(h.widget("lstEnFind")), u"Bookcase"_s);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!timer->isActive());
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked); // greyed is not ticked
        QVERIFY(!timer->isActive());
        QCOMPARE(h.window().lastClipWord(), u"bookcase"_s);
    }

    void speakButton() {
        WindowHarness h;
        auto spoken = [&] {
            QStringList texts;
            for (const vorlan::FakeCall &c : h.fakes().log().calls(u"voice.Speak"_s)) {
                texts << c.args.value(1).toString();
            }
            return texts;
        };
        QTest::mouseClick(h.widget("cmdSpeakIt"), Qt::LeftButton); // empty: nothing
        QCOMPARE(h.fakes().fakeSpeech().voicesCreated(), 0);
        QCOMPARE(QApplication::focusWidget(), h.widget("txtEnSearch"));

        QTest::keyClicks(h.widget("txtEnSearch"), u"book "_s);
        QTest::mouseClick(h.widget("cmdSpeakIt"), Qt::LeftButton);
        QTest::mouseClick(h.widget("cmdSpeakIt"), Qt::LeftButton);
        QCOMPARE(spoken(), (QStringList{u"book "_s, u"book "_s}));
        QCOMPARE(QApplication::focusWidget(), h.widget("txtEnSearch"));

        // The Persian pane speaks the English meaning, never the Persian query.
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        typeText(h.widget("txtFaSearch"), u"كتاب"_s);
        h.widget("lstFaFind")->setFocus();
        QTest::mouseClick(h.widget("cmdSpeakIt"), Qt::LeftButton);
        QCOMPARE(spoken().last(), u"Book , Volume"_s);
        QCOMPARE(QApplication::focusWidget(), h.widget("txtFaSearch"));
        QCOMPARE(h.fakes().fakeSpeech().voicesCreated(), 1);
    }

    void aboutBoxFromIconAndF1() {
        vorlan::QtMessageBoxService real;
        MixedServices services;
        services.messageBoxOverride = &real;
        WindowHarness h(vorlan::testing::smallDictionary(), &services);
        for (int round = 0; round < 2; ++round) {
            QString title;
            Qt::LayoutDirection direction = Qt::LeftToRight;
            int buttons = 0;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                title = box->windowTitle();
                direction = box->layoutDirection();
                buttons = static_cast<int>(box->buttons().size());
                box->button(QMessageBox::Ok)->click();
            });
            if (round == 0) {
                QTest::mouseClick(h.widget("picHelpIcon"), Qt::LeftButton);
            } else {
                QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_F1);
            }
            QCOMPARE(title, vorlan::aboutTitle());
            QCOMPARE(direction, Qt::RightToLeft);
            QCOMPARE(buttons, 1);
            QVERIFY(h.englishShown());
        }
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
