// The window as a whole, offscreen over fake desktop services: start-up,
// layout, keyboard commands, the pane toggle and what it asks of the desktop,
// the clipboard watcher, speech and the About box; the search panes, the
// exact-match switch and the cross lookup, driven through the window's own
// controls; long result lists, and the window over the built-in word lists.
// Which rows a query lists and selects is cDic::Lookup's, tested on small
// lists in the engine and coverage suites.
#include "aboutbox.h"
#include "cdic.h"
#include "mdic.h"
#include "messagebox.h"
#include "texts.h"
#include "uifixture.h"
#include "widgets.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <stdexcept>

using namespace Qt::StringLiterals;
using vorlan::FakeDesktopServices;
using vorlan::testing::pointOfWord;
using vorlan::testing::rowsOf;
using vorlan::testing::selectedRowOf;
using vorlan::testing::typeText;
using vorlan::testing::WindowHarness;
namespace texts = vorlan::texts;

namespace {

// Fakes, but the real message box, and on request a keyboard whose every
// call fails.
class RealBoxDesktop : public vorlan::DesktopServices {
public:
    explicit RealBoxDesktop(bool failingKeyboard = false) : failingKeyboard_(failingKeyboard) {}
    vorlan::KeyboardService &keyboard() override {
        return failingKeyboard_ ? failing : fakes.keyboard();
    }
    vorlan::ClipboardService &clipboard() override { return fakes.clipboard(); }
    vorlan::StackingService &stacking() override { return fakes.stacking(); }
    vorlan::SpeechService &speech() override { return fakes.speech(); }
    vorlan::MessageBoxService &messageBox() override { return realBox; }

private:
    struct : vorlan::KeyboardService {
        bool loadKeyboardLayout(const QString &) override {
            throw std::runtime_error("no layouts");
        }
        void releaseLayout() override { throw std::runtime_error("no layouts"); }
        void sendCtrlShift(std::function<void(bool)>) override {
            throw std::runtime_error("no keys");
        }
    } failing;
    bool failingKeyboard_;
    FakeDesktopServices fakes;
    vorlan::QtMessageBoxService realBox;
};

// The message boxes on screen.
QList<QMessageBox *> shownBoxes() {
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box != nullptr && box->isVisible()) {
            boxes << box;
        }
    }
    return boxes;
}

// Each keyboard call with its argument and the widget that had the focus.
QStringList keyboardCalls(FakeDesktopServices &fakes) {
    QStringList lines;
    for (const vorlan::FakeCall &call : fakes.log().calls(u"keyboard."_s)) {
        lines << call.call + u'(' + call.args.value(0).toString() + u")@"_s + call.focus;
    }
    return lines;
}

// The first and last column (or row) of `area` holding a pixel more than
// `contrast` grey levels from `base`; -1 when none does.
std::pair<int, int> inkSpan(const QImage &image, const QRect &area, const QColor &base,
                            int contrast, bool columns) {
    const QRect a = columns ? area : QRect(area.top(), area.left(), area.height(), area.width());
    int first = -1;
    int last = -1;
    for (int i = a.left(); i <= a.right(); ++i) {
        for (int j = a.top(); j <= a.bottom(); ++j) {
            const QRgb pixel = columns ? image.pixel(i, j) : image.pixel(j, i);
            if (std::abs(qGray(pixel) - qGray(base.rgb())) > contrast) {
                first = first < 0 ? i : first;
                last = i;
                break;
            }
        }
    }
    return {first, last};
}

QString textOf(WindowHarness &h, const char *box) {
    return h.find<QPlainTextEdit>(box)->toPlainText();
}

// A point at the foot of a list, below its last row when few are listed.
QPoint belowTheRows(QListView *list) {
    return {list->viewport()->width() / 2, list->viewport()->height() - 3};
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    // The English pane at the top with the focus, nothing ticked; the
    // window's size, layout and place in twips; what the toggle asks of the
    // keyboard.
    void startUpAndToggle() {
        WindowHarness h;
        QCOMPARE(QApplication::focusWidget(), h.widget("txtEnSearch"));
        QCOMPARE(h.window().windowTitle(), texts::kTitleEnglishPane);
        QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"En"_s);
        QVERIFY(!h.find<QCheckBox>("chkMatch")->isChecked() &&
                !h.find<QCheckBox>("chkClip")->isChecked());
        QVERIFY(!h.find<QTimer>("tmrClip")->isActive());
        const double perPixel = 1440.0 / h.window().screen()->logicalDotsPerInchY();
        const auto px = [&](double twips) { return qRound(twips / perPixel); };
        // The shown pane sits at the top whichever it is; the strip at the bottom.
        QCOMPARE(h.widget("picEn")->geometry(), QRect(0, 0, px(5745), px(3075)));
        QCOMPARE(h.widget("picTools")->geometry().bottom() + 1, h.window().height());
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        // Start-up switched once, to English: a layout change, no chord. The
        // switch to Persian moves the focus first, sends the chord while the
        // Persian box has it, then loads the Persian layout.
        QCOMPARE(keyboardCalls(h.fakes()),
                 (QStringList{u"keyboard.loadKeyboardLayout(00000409)@txtEnSearch"_s,
                              u"keyboard.sendCtrlShift()@txtFaSearch"_s,
                              u"keyboard.loadKeyboardLayout(00000429)@txtFaSearch"_s}));
        QCOMPARE(h.widget("picFa")->geometry(), QRect(0, 0, px(5745), px(3075)));
        QCOMPARE(h.widget("txtFaSearch")->geometry(), QRect(px(120), px(240), px(2450), px(285)));
        // Not resizable, and the outer height is 4,260 twips.
        QCOMPARE(h.window().minimumSize(), h.window().maximumSize());
        QCOMPARE(h.window().frameGeometry().height(), px(4260));
        // Placed on its screen by its real outer size.
        const QSize screen = h.window().screen()->geometry().size();
        const auto expected =
            vorlan::mDic::placement(screen.width() * perPixel, screen.height() * perPixel,
                                    h.window().frameGeometry().width() * perPixel, 4260.0);
        QCOMPARE(h.window().leftTwips(), expected.left);
        QCOMPARE(h.window().topTwips(), expected.top);
        QCOMPARE(h.window().frameGeometry().topLeft(), QPoint(px(expected.left), px(expected.top)));

        // Back to English by the button: the layout alone.
        h.fakes().log().clear();
        QTest::mouseClick(h.widget("cmdLan"), Qt::LeftButton);
        QVERIFY(h.englishShown());
        QCOMPARE(keyboardCalls(h.fakes()),
                 QStringList{u"keyboard.loadKeyboardLayout(00000409)@txtEnSearch"_s});
        // The pane shown decides the direction, not the caption.
        h.find<QPushButton>("cmdLan")->setText(u"Fa"_s);
        h.window().cmdLan_Click();
        QVERIFY(!h.englishShown());
    }

    void placeForm() {
        const struct {
            double screenWidth, screenHeight, windowWidth, windowHeight;
            float left, top;
        } cases[] = {
            {15360, 11520, 5835, 4260, 4762.5f, 2420},       // 768 pixels high
            {12001, 9000, 5835, 4260, 3083, 1580},           // odd difference: half a twip
            {3000, 2000, 5835, 4260, -1417.5f, -753.3333f},  // screen smaller than the window
            {10000.5, 9000.5, 5000, 4000, 2500, 1666.6666f}, // sizes round to even
            {57600, 32400, 5835, 4260, 25882.5f, 9380},      // large screen
        };
        for (const auto &c : cases) {
            const auto p = vorlan::mDic::placement(c.screenWidth, c.screenHeight, c.windowWidth,
                                                   c.windowHeight);
            QCOMPARE(p.left, c.left);
            QCOMPARE(p.top, c.top);
        }
    }

    // Esc switches the pane and F1 shows the About box (and switches
    // nothing) whatever the modifiers; other keys, F2 too, reach the control.
    void escapeAndF1IgnoreModifiers() {
        const Qt::KeyboardModifiers all[] = {
            Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier};
        for (const Qt::KeyboardModifiers modifiers : all) {
            WindowHarness h;
            auto *search = h.find<QLineEdit>("txtEnSearch");
            QTest::keyClicks(search, u"bo"_s);
            QTest::keyClick(search, Qt::Key_F2, modifiers);
            QTest::keyClick(search, Qt::Key_Backspace);
            QCOMPARE(search->text(), u"b"_s);
            QVERIFY(h.englishShown());
            QTest::keyClick(search, Qt::Key_Escape, modifiers);
            QVERIFY(!h.englishShown());
            QTest::keyClick(h.widget("txtFaSearch"), Qt::Key_F1, modifiers);
            QCOMPARE(h.fakes().log().calls(u"messageBox."_s).size(), 1);
            QVERIFY(!h.englishShown());
        }
    }

    // Switches that come while the chord of an earlier one is still on its
    // way (Esc, the button, the clipboard watcher): each completes pane,
    // title and caption before the next, and once the chords are handled
    // the layout is the shown pane's. Steps: e Esc, c cmdLan, a an English
    // word copied, p a Persian one, r the oldest chord handled.
    void switchesWhileAChordIsOnItsWay_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("english"); // the pane at the end
        QTest::addColumn<int>("chords");   // chords sent in all
        QTest::newRow("Esc Esc") << u"ee"_s << true << 1;
        QTest::newRow("Esc Esc Esc") << u"eee"_s << false << 1;
        QTest::newRow("Esc, button") << u"ec"_s << true << 1;
        QTest::newRow("Esc, English word copied") << u"ea"_s << true << 1;
        QTest::newRow("Persian word copied, Esc") << u"pe"_s << true << 1;
        QTest::newRow("Esc Esc, handled, Esc") << u"eere"_s << false << 2;
        QTest::newRow("handled in between") << u"ereer"_s << false << 2;
    }
    void switchesWhileAChordIsOnItsWay() {
        QFETCH(QString, steps);
        QFETCH(bool, english);
        QFETCH(int, chords);
        WindowHarness h;
        auto &keyboard = h.fakes().fakeKeyboard();
        keyboard.holdChords = true;
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        const auto inStep = [&] {
            const bool en = h.englishShown();
            return h.window().windowTitle() ==
                       (en ? texts::kTitleEnglishPane : texts::kTitlePersianPane) &&
                   h.find<QPushButton>("cmdLan")->text() == (en ? u"En"_s : u"Fa"_s) &&
                   QApplication::focusWidget() == h.widget(en ? "txtEnSearch" : "txtFaSearch");
        };
        int words = 0;
        for (const QChar step : steps) {
            switch (step.unicode()) {
            case 'e':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            case 'c':
                QTest::mouseClick(h.widget("cmdLan"), Qt::LeftButton);
                break;
            case 'a':
            case 'p':
                h.fakes().fakeClipboard().setText(
                    (step == u'a' ? u"apple"_s : u"\u0633\u0644\u0627\u0645"_s) +
                    QString(++words, u'x'));
                h.window().tmrClip_Timer();
                break;
            case 'r':
                QVERIFY(keyboard.finishChord());
                break;
            }
            QVERIFY2(inStep(), qPrintable(u"after "_s + step));
            QVERIFY(keyboard.heldChords() <= 1);
        }
        while (keyboard.finishChord()) {
        }
        QCOMPARE(h.englishShown(), english);
        QVERIFY(inStep());
        QCOMPARE(keyboard.activeLayout, english ? u"00000409"_s : u"00000429"_s);
        QCOMPARE(h.fakes().log().calls(u"keyboard.sendCtrlShift"_s).size(), chords);
    }

    // The About box leaves its handler at once: clipboard ticks while it is
    // open run from the window's own event loop. The window takes no input
    // meanwhile, and once the box is answered it is gone and keys reach the
    // window again; a failing keyboard changes none of that, nor the toggle.
    void aboutBoxReturnsAtOnceAndBlocksTheWindow_data() {
        QTest::addColumn<bool>("icon"); // the help icon clicked, or F1 pressed
        QTest::addColumn<bool>("persian");
        QTest::addColumn<bool>("failing"); // every keyboard call throws
        QTest::newRow("F1, English pane") << false << false << false;
        QTest::newRow("Shift+F1, Persian pane") << false << true << false;
        QTest::newRow("help icon, failing keyboard") << true << false << true;
    }
    void aboutBoxReturnsAtOnceAndBlocksTheWindow() {
        QFETCH(bool, icon);
        QFETCH(bool, persian);
        QFETCH(bool, failing);
        RealBoxDesktop desktop(failing);
        WindowHarness h(vorlan::testing::smallDictionary(), &desktop);
        h.showPane(!persian);
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton); // ticks every 500 ms
        auto *search = h.find<QLineEdit>(persian ? "txtFaSearch" : "txtEnSearch");
        search->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), search);

        bool returned = false;
        int ticks = 0;       // while the box is open
        int deepestLoop = 0; // nested in the test's own processing
        QObject probes;      // ends the calls below with this test, whatever happens
        connect(h.find<QTimer>("tmrClip"), &QTimer::timeout, &probes, [&] {
            ticks += shownBoxes().isEmpty() ? 0 : 1;
            deepestLoop = std::max(deepestLoop, QThread::currentThread()->loopLevel());
        });
        // A box that holds its handler is answered, so that the test goes on
        // and fails rather than waits.
        QTimer rescue;
        connect(&rescue, &QTimer::timeout, &probes, [&] {
            if (!returned && !shownBoxes().isEmpty()) {
                shownBoxes().constFirst()->button(QMessageBox::Ok)->click();
            }
        });
        rescue.start(20);

        if (icon) {
            QTest::mouseClick(h.widget("picHelpIcon"), Qt::LeftButton);
        } else {
            QTest::keyClick(search, Qt::Key_F1, persian ? Qt::ShiftModifier : Qt::NoModifier);
        }
        returned = true;
        QCOMPARE(shownBoxes().size(), 1);
        const QPointer<QMessageBox> box = shownBoxes().constFirst();
        // The message in whole CRLF lines (a lone CR or LF, a wrong rule or a
        // missing tab shows); the box reads it right to left, every line (the
        // Latin-only ones too), right aligned, LF line breaks and the tab as
        // spaces to column 8. One OK button, no icon.
        const QStringList lines{u"فرهنگ لغت دو زبانه ورلان"_s,
                                u"ويرايش 1.1"_s,
                                {},
                                u"كاري از گروه نرم افزاري رامتو"_s,
                                {},
                                QString(25, u'_'),
                                u"\tvorlan.example"_s};
        QCOMPARE(vorlan::aboutMessage().split(u"\r\n"_s), lines);
        QCOMPARE(box->windowTitle(), u"درباه نرم افزار"_s);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons(), QList<QAbstractButton *>{box->button(QMessageBox::Ok)});
        const auto *label = box->findChild<QLabel *>(u"qt_msgbox_label"_s);
        QVERIFY(label != nullptr);
        QCOMPARE(label->layoutDirection(), Qt::RightToLeft);
        QVERIFY(QStyle::visualAlignment(Qt::RightToLeft, label->alignment()) & Qt::AlignRight);
        QCOMPARE(QString(label->text()).remove(QChar(0x200F)),
                 lines.join(u'\n').replace(u'\t', QString(8, u' ')));
        for (const QString &line : label->text().split(u'\n')) {
            QVERIFY2(line.isRightToLeft(), qPrintable(line));
        }
        QTRY_VERIFY(ticks > 0);
        QCOMPARE(deepestLoop, 0);

        // Keys and clicks that reach the window through the window system
        // are held back while the box is open: no text, no switch, no second box.
        QWindow *window = h.window().windowHandle();
        QTest::keyClick(window, Qt::Key_A);
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_F1);
        QWidget *cmdLan = h.widget("cmdLan");
        QTest::mouseClick(window, Qt::LeftButton, {}, cmdLan->mapTo(&h.window(), QPoint(5, 5)));
        QCOMPARE(shownBoxes(), QList<QMessageBox *>{box.data()});
        QCOMPARE(search->text(), QString());
        QCOMPARE(h.englishShown(), !persian);

        // Answered with Return once it has the keyboard.
        QTRY_COMPARE(QApplication::activeWindow(), box.data());
        QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        QTRY_VERIFY(box.isNull());
        // Activating the window again is the window manager's (tested on
        // X11); the window kept its focus child, and keys reach it again.
        QCOMPARE(h.window().focusWidget(), search);
        QTest::keyClick(window, Qt::Key_X);
        QCOMPARE(search->text(), u"x"_s);
        QCOMPARE(h.englishShown(), !persian);
        QVERIFY(shownBoxes().isEmpty());
        if (failing) {
            // Every keyboard call throws and the box cannot take the focus:
            // the toggle still swaps the panes and sets title and caption.
            h.find<QLineEdit>("txtFaSearch")->setEnabled(false);
            h.window().cmdLan_Click();
            QVERIFY(!h.englishShown());
            QCOMPARE(h.window().windowTitle(), texts::kTitlePersianPane);
            QCOMPARE(h.find<QPushButton>("cmdLan")->text(), u"Fa"_s);
        }
    }

    // The boxes for Persian text draw it at their right edge, and those for
    // English text at their left, whatever the direction of the text.
    void textStandsAtItsBoxsSide() {
        const struct {
            const char *box;
            const char *search; // the box typed into
            QString typed;
            bool right;
        } cases[] = {
            {"txtFaSearch", "txtFaSearch", u"كتاب"_s, true},
            {"txtFaSearch", "txtFaSearch", u"ab"_s, true},
            {"txtEnMean", "txtEnSearch", u"book"_s, true},
            {"txtEnSearch", "txtEnSearch", u"ab"_s, false},
            {"txtEnSearch", "txtEnSearch", u"كتاب"_s, false},
            {"txtFaMean", "txtFaSearch", u"كتاب"_s, false},
        };
        WindowHarness h;
        for (const auto &c : cases) {
            h.showPane(c.search == std::string_view("txtEnSearch"));
            h.find<QLineEdit>(c.search)->clear();
            typeText(h.widget(c.search), c.typed);
            QWidget *shown = h.widget(c.box);
            const auto [first, last] =
                inkSpan(shown->grab().toImage(), shown->rect().adjusted(4, 4, -4, -4),
                        shown->palette().color(QPalette::Base), 80, true);
            const int gapRight = shown->width() - 1 - last;
            const QString where = u"%1 %2: ink in columns %3 to %4 of %5"_s.arg(c.box, c.typed)
                                      .arg(first)
                                      .arg(last)
                                      .arg(shown->width());
            QVERIFY2(first >= 0 && std::min(first, gapRight) < 16, qPrintable(where));
            QVERIFY2(c.right ? gapRight < first : first < gapRight, qPrintable(where));
        }
    }

    // The check boxes show the whole square of their indicator (its four
    // borders are drawn inside the box) and room for their whole caption.
    void checkBoxIndicatorsAreWhole() {
        WindowHarness h;
        for (const char *name : {"chkMatch", "chkClip"}) {
            auto *box = h.find<QCheckBox>(name);
            QStyleOptionButton option;
            option.initFrom(box);
            const QRect square =
                box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
            QVERIFY2(box->rect().contains(square), name);
            QVERIFY2(box->sizeHint().width() <= box->width(), name); // the caption is whole too
            const QImage image = box->grab().toImage();
            const int window = qGray(box->palette().color(QPalette::Window).rgb());
            const auto drawn = [&](QPoint p) {
                return std::abs(qGray(image.pixel(p)) - window) > 30;
            };
            for (int i = 2; i < square.width() - 2; ++i) {
                QVERIFY2(drawn({square.left() + i, square.top()}), name);
                QVERIFY2(drawn({square.left() + i, square.bottom()}), name);
                QVERIFY2(drawn({square.left(), square.top() + i}), name);
                QVERIFY2(drawn({square.right(), square.top() + i}), name);
            }
        }
    }

    // A row whose word has a mark above its letters (the madda of آ) draws
    // it whole: the row's ink is as high as the word drawn freely, and does
    // not reach the row's top or bottom line.
    void resultRowsHoldWholeGlyphs() {
        WindowHarness h;
        h.showPane(false);
        auto *list = h.find<QListView>("lstFaFind");
        typeText(h.widget("txtFaSearch"), u"آب"_s);
        QCOMPARE(rowsOf(list), (QStringList{u"آب"_s, u"آب آورد"_s}));
        const QColor base = list->palette().color(QPalette::Base);
        // The second row, which the first does not highlight.
        const QRect row = list->visualRect(list->model()->index(1, 0));
        const auto [top, bottom] =
            inkSpan(list->viewport()->grab().toImage(), row, base, 60, false);

        QImage free(row.width(), row.height() * 4, QImage::Format_RGB32);
        free.fill(base);
        {
            QPainter painter(&free);
            painter.setFont(list->font());
            painter.setPen(list->palette().color(QPalette::Text));
            painter.drawText(free.rect(), Qt::AlignCenter, u"آب آورد"_s);
        }
        const auto [freeTop, freeBottom] = inkSpan(free, free.rect(), base, 60, false);
        const QString where = u"row %1 to %2, ink %3 to %4, drawn freely %5 high"_s.arg(row.top())
                                  .arg(row.bottom())
                                  .arg(top)
                                  .arg(bottom)
                                  .arg(freeBottom - freeTop + 1);
        QVERIFY2(top > row.top() && bottom < row.bottom(), qPrintable(where));
        QVERIFY2(bottom - top >= freeBottom - freeTop, qPrintable(where));
    }

    void fontsHaveEveryPersianGlyph() {
        WindowHarness h;
        const vorlan::testing::FixtureLists lists = vorlan::testing::smallDictionary();
        const QStringList shown =
            QStringList{texts::kTitleEnglishPane, texts::kTitlePersianPane, texts::kExactMatch,
                        texts::kClipboardWatch,   texts::kPinToolTip,       vorlan::aboutMessage(),
                        vorlan::aboutTitle()} +
            lists.fa + lists.en2fa;
        const QRegularExpression invisible(u"[\\s\\p{Cf}]"_s);
        for (const char *name : {"txtEnMean", "txtFaSearch", "lstFaFind", "chkMatch", "chkClip"}) {
            const QRawFont font = QRawFont::fromFont(h.widget(name)->font(), QFontDatabase::Arabic);
            for (const QString &text : shown) {
                const QList<quint32> glyphs =
                    font.glyphIndexesForString(QString(text).remove(invisible));
                QVERIFY2(!glyphs.contains(0), qPrintable(font.familyName() + u": "_s + text));
            }
        }
        QCOMPARE(h.widget("txtEnSearch")->font().pointSizeF(), 8.25);
    }

    void clipboardWatcher() {
        WindowHarness h;
        auto &clip = h.fakes().fakeClipboard();
        auto *en = h.find<QLineEdit>("txtEnSearch");
        auto *fa = h.find<QLineEdit>("txtFaSearch");
        h.window().cmdLan_Click(); // the Persian pane is shown
        const QString typed = u"typed"_s;
        const struct {
            QString clipboard;
            bool unreadable;
            QString english; // the search boxes after the tick
            QString persian;
            QString last;
            bool englishShown;
        } ticks[] = {
            {u"  apple pie  "_s, false, u"apple"_s, typed, u"apple"_s, true},
            {u"apple tart"_s, false, typed, typed, u"apple"_s, true}, // same word: nothing
            {u"Apple"_s, false, u"Apple"_s, typed, u"Apple"_s, true}, // case counts
            {u"a*b?"_s, false, u"a*b?"_s, typed, u"a*b?"_s, true},    // a pattern, unchanged
            {u"123 abc"_s, false, typed, typed, u"123"_s, true},
            {u"star\r\n"_s, false, u"star\r\n"_s, typed, u"star\r\n"_s, true},
            {u"star\r\n"_s, true, typed, typed, u""_s, true}, // unreadable: empty word
            {u"star\r\n"_s, false, u"star\r\n"_s, typed, u"star\r\n"_s, true},
            {u"یک کتاب"_s, false, typed, u"یک"_s, u"یک"_s, false},
            {u"\u0623\u0628"_s, false, typed, typed, u"\u0623\u0628"_s, false},
        };
        for (const auto &t : ticks) {
            en->setText(typed);
            fa->setText(typed);
            clip.setText(t.clipboard);
            clip.setUnreadable(t.unreadable);
            h.window().tmrClip_Timer();
            QCOMPARE(en->text(), t.english);
            QCOMPARE(fa->text(), t.persian);
            QCOMPARE(h.window().lastClipWord(), t.last);
            QCOMPARE(h.englishShown(), t.englishShown);
        }

        // The timer runs only while the box is ticked; greyed is not ticked.
        auto *box = h.find<QCheckBox>("chkClip");
        auto *timer = h.find<QTimer>("tmrClip");
        clip.setText(u"bookcase"_s);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(en->text(), u"bookcase"_s, 2000);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!timer->isActive());
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!timer->isActive());
    }

    // The clipboard is read without waiting: the tick's steps run when the
    // text comes; ticks while it has not come ask nothing more; an answer
    // that comes after the watcher was switched off is dropped.
    void clipboardReadThatHasNotAnswered() {
        WindowHarness h;
        auto &clip = h.fakes().fakeClipboard();
        auto *en = h.find<QLineEdit>("txtEnSearch");
        const auto reads = [&] { return h.fakes().log().calls(u"clipboard.readText"_s).size(); };
        clip.setHeld(true);
        clip.setText(u"apple pie"_s);
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            h.window().tmrClip_Timer();
        }
        QVERIFY(clip.pending());
        QCOMPARE(en->text(), u""_s);
        QCOMPARE(reads(), 3);
        QCOMPARE(h.fakes().log().summary().filter(u"readText(true)"_s).size(), 1);
        clip.setText(u"pear tart"_s); // what the owner holds when it answers
        clip.answer();
        QCOMPARE(en->text(), u"pear"_s);
        QCOMPARE(h.window().lastClipWord(), u"pear"_s);

        // Switched off while a read is out: its answer changes nothing.
        h.window().tmrClip_Timer();
        QCOMPARE(reads(), 4);
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        clip.setText(u"plum"_s);
        clip.answer();
        QCOMPARE(en->text(), u"pear"_s);
        QCOMPARE(h.window().lastClipWord(), u"pear"_s);
        // Switched on again, the next tick reads and looks up.
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        h.window().tmrClip_Timer();
        clip.answer();
        QCOMPARE(en->text(), u"plum"_s);
    }

    // Long pastes do not pile up undo history for the rest of the run: past
    // the budget the history starts afresh, text and cursor kept; small
    // edits stay undoable.
    void searchBoxUndoHistoryIsBounded() {
        WindowHarness h;
        const QString longText = QString(20000, u'w');
        const QString half = QString(vorlan::kUndoBudget / 2, u'a');
        const struct {
            const char *box;
            QStringList edits; // each as a paste inserts it
            bool undoable;     // after them, once the window is idle
        } cases[] = {
            {"txtEnSearch", {u"ab"_s, u"book"_s}, true},
            {"txtEnSearch", {u"ab"_s, longText}, false},
            {"txtEnSearch", {half}, true},
            {"txtEnSearch", {half, half, u"b"_s}, false}, // edits add up
            {"txtFaSearch", {u"كتاب"_s}, true},
            {"txtFaSearch", {longText}, false},
        };
        for (const auto &c : cases) {
            auto *box = h.find<QLineEdit>(c.box);
            box->setText(QString()); // a set text starts a fresh history
            QVERIFY(!box->isUndoAvailable());
            for (const QString &edit : c.edits) {
                box->insert(edit);
            }
            const QString text = box->text();
            QTest::qWait(0); // the deferred reset, if any
            QCoreApplication::processEvents();
            QCOMPARE(box->text(), text);
            QCOMPARE(box->cursorPosition(), text.size());
            QVERIFY2(box->isUndoAvailable() == c.undoable, qPrintable(c.edits.join(u'+').left(20)));
            // Undo reaches back over the small edits, or to the fresh start.
            box->insert(u"z"_s);
            box->undo();
            QCOMPARE(box->text(), c.undoable ? QString() : text);
        }
    }

    void speakButtonInBothPanes() {
        WindowHarness h;
        const auto said = [&](int n) {
            return h.fakes().log().calls(u"voice.Speak"_s).value(n).args.value(1).toString();
        };
        QTest::keyClicks(h.widget("txtEnSearch"), u"book "_s);
        QTest::mouseClick(h.widget("cmdSpeakIt"), Qt::LeftButton);
        QCOMPARE(said(0), u"book "_s);
        QCOMPARE(QApplication::focusWidget(), h.widget("txtEnSearch"));

        // The Persian pane speaks the English meaning, never the Persian query.
        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        typeText(h.widget("txtFaSearch"), u"كتاب"_s);
        h.widget("lstFaFind")->setFocus();
        QTest::mouseClick(h.widget("cmdSpeakIt"), Qt::LeftButton);
        QCOMPARE(said(1), u"Book , Volume"_s);
        QCOMPARE(QApplication::focusWidget(), h.widget("txtFaSearch"));
        QCOMPARE(h.fakes().fakeSpeech().voicesCreated(), 1);
    }

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
        WindowHarness h(lists);
        auto *list = h.find<QListView>("lstEnFind");
        QTest::keyClicks(h.widget("txtEnSearch"), u"ord"_s);
        QCOMPARE(list->model()->rowCount(), 41001);
        QCOMPARE(list->model()->index(40999, 0).data().toString(), u"Word040999"_s);
        QCOMPARE(list->model()->index(41000, 0).data(Qt::UserRole).toInt(), 41000);
        // The row far beyond 32,767 that equals the query is selected and shown.
        QCOMPARE(selectedRowOf(list), u"Ord"_s);
        QCOMPARE(textOf(h, "txtEnMean"), u"ترتيب"_s);
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

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
