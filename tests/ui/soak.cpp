// Drives the real window over the real desktop services at random, for a
// fixed number of actions from a fixed seed: typing, long pastes, Esc, the
// En/Fa button, double-clicks on rows and meanings, the check boxes, the pin
// and the speak button, with the clipboard watcher on and the clipboard
// changing under it. After each burst it waits for the window to settle and
// checks that the pane, the title, the caption of cmdLan and the keyboard
// agree, and that the window answers a key sent through the X server. It
// prints the resident size at the start and the end, and fails on a gross
// growth. Run under scripts/with-x11.sh.
//
//   vorlan_soak [--seed N] [--actions N] [--burst N] [--max-growth-mb N]
#include "texts.h"
#include "uifixture.h"
#include "x11probe.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <X11/keysym.h>

#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <unistd.h>

using namespace Qt::StringLiterals;
namespace texts = vorlan::texts;

namespace {

constexpr int Patience = 15000;      // ms for the window to settle after a burst
constexpr qint64 AnswerBound = 2000; // ms for a key through the server

double residentMb() {
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return statm.readAll().split(' ').value(1).toDouble() * double(::sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

struct Soak : QObject {
    explicit Soak(quint32 seed) : random(seed) { qApp->installEventFilter(this); }

    // Presses of Shift that reach the application, to see it answer.
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            shifts += key->key() == Qt::Key_Shift && !key->isAutoRepeat();
        }
        return false;
    }

    template <typename T = QWidget> T *find(const char *name) {
        return w.findChild<T *>(QString::fromLatin1(name));
    }
    bool persianShown() { return !find("picFa")->isHidden(); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    QString word(bool persian) {
        static const QString latin = u"abcdefghijklmnopqrstuvwxyz"_s;
        static const QString farsi = u"ابتثجحخدذرزسشصضطظعغفقكلمنهويپچژگیک"_s;
        const QString &letters = persian ? farsi : latin;
        QString text;
        for (int n = 2 + pick(6); n > 0; --n) {
            text += letters.at(pick(int(letters.size())));
        }
        return text;
    }

    QLineEdit *searchBox() {
        return find<QLineEdit>(persianShown() ? "txtFaSearch" : "txtEnSearch");
    }

    void action() {
        ++actions;
        const int kind = pick(20);
        if (kind < 4) { // typing
            vorlan::testing::typeText(searchBox(), word(persianShown()));
        } else if (kind < 6) { // a long paste, up to about 20,000 characters, over the box's text
            QString text;
            const int length = 1 + pick(20000);
            const bool persian = pick(2) == 1;
            while (text.size() < length) {
                text += word(persian) + u' ';
            }
            QGuiApplication::clipboard()->setText(text.left(length));
            QLineEdit *box = searchBox();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            ++pastes;
        } else if (kind < 8) { // Esc where the focus is
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : searchBox(), Qt::Key_Escape);
        } else if (kind == 8) {
            QTest::mouseClick(find("cmdLan"), Qt::LeftButton);
        } else if (kind < 11) { // double-click a result row
            auto *list = find<QListView>(persianShown() ? "lstFaFind" : "lstEnFind");
            const int rows = list->model()->rowCount();
            if (rows > 0) {
                const QModelIndex index = list->model()->index(pick(std::min(rows, 8)), 0);
                list->scrollTo(index);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualRect(index).center());
            }
        } else if (kind == 11) { // double-click in the meaning box
            auto *meaning = find<QPlainTextEdit>(persianShown() ? "txtFaMean" : "txtEnMean");
            const QPoint at(4 + pick(std::max(1, meaning->viewport()->width() - 8)), 4 + pick(20));
            QTest::mouseDClick(meaning->viewport(), Qt::LeftButton, {}, at);
        } else if (kind == 12) {
            QTest::mouseClick(find("chkMatch"), Qt::LeftButton);
        } else if (kind == 13) { // the watcher, mostly left on
            if (pick(4) == 0) {
                QTest::mouseClick(find("chkClip"), Qt::LeftButton);
            }
        } else if (kind == 14) { // the pin, whichever of its pictures is shown
            for (const char *name : {"picNormal", "picTop"}) {
                if (find(name)->isVisible()) {
                    QTest::mouseClick(find(name), Qt::LeftButton);
                    break;
                }
            }
        } else if (kind == 15) {
            QTest::mouseClick(find("cmdSpeakIt"), Qt::LeftButton);
        } else { // another program copies a word or a line
            const QString text = word(pick(2) == 1);
            xclip.emplace((pick(3) == 0 ? u"  "_s + text + u" and more words"_s : text).toUtf8());
        }
    }

    // What is wrong with the pane, the title, the caption and the keyboard;
    // empty when they agree. The keyboard group the X server reports (the
    // user's, us, is the first) is checked only while the window is active:
    // elsewhere the user's own layout applies.
    QString disagreement() {
        const bool persian = persianShown();
        QStringList wrong;
        if (find("picEn")->isHidden() != persian) {
            wrong << u"both or neither pane shown"_s;
        }
        if (w.windowTitle() != (persian ? texts::kTitlePersianPane : texts::kTitleEnglishPane)) {
            wrong << u"title"_s;
        }
        if (find<QPushButton>("cmdLan")->text() !=
            (persian ? texts::kPersianCaption : texts::kEnglishCaption)) {
            wrong << u"caption"_s;
        }
        if (w.isActiveWindow() && (probe.lockedGroup() == 0) == persian) {
            wrong << u"keyboard group %1"_s.arg(probe.lockedGroup());
        }
        return wrong.join(u", "_s);
    }

    // Waits for the window to answer a key sent through the X server, and to
    // settle; false, with what went wrong printed, when it does not.
    bool check(int burst) {
        ++checks;
        w.activateWindow();
        qint64 ms = -1;
        if (QTest::qWaitFor([&] { return w.isActiveWindow(); }, Patience)) {
            const int before = shifts;
            QElapsedTimer clock;
            clock.start();
            probe.type(probe.keycodeOf(XK_Shift_L));
            if (QTest::qWaitFor([&] { return shifts > before; }, Patience)) {
                ms = clock.elapsed();
            }
        }
        slowest = std::max(slowest, ms);
        if (ms < 0 || ms > AnswerBound) {
            std::printf("soak: burst %d: the window took %lld ms to answer a key\n", burst, ms);
            return false;
        }
        QString wrong;
        if (!QTest::qWaitFor([&] { return (wrong = disagreement()).isEmpty(); }, Patience)) {
            std::printf("soak: burst %d: out of step: %s\n", burst, qPrintable(wrong));
            return false;
        }
        return true;
    }

    vorlan::test::X11Probe probe;
    std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    vorlan::frmDic w{*services};
    std::mt19937 random;
    std::optional<vorlan::test::ClipboardOwner> xclip;
    int shifts = 0, actions = 0, checks = 0, pastes = 0;
    qint64 slowest = 0;
};

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto option = [&](const QString &name, double fallback) {
        const qsizetype at = args.indexOf(name);
        return at > 0 && at + 1 < args.size() ? args.at(at + 1).toDouble() : fallback;
    };
    const auto seed = quint32(option(u"--seed"_s, 20261206));
    const int actions = int(option(u"--actions"_s, 1200));
    const int burst = std::max(1, int(option(u"--burst"_s, 25)));
    // Warming up (fonts, glyph caches, espeak-ng's data, the first searches)
    // takes about 8 MB; the search boxes' undo history, unbounded, took 35 MB
    // more over 1,200 actions of this mix and kept it.
    double maxGrowthMb = option(u"--max-growth-mb"_s, 20);
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed memory back (its quarantine): the size
    // says nothing about ours there.
    maxGrowthMb = std::numeric_limits<double>::infinity();
#endif

    {
        vorlan::test::X11Probe probe;
        if (!probe.connected() || !probe.startWith(u"us"_s)) {
            std::printf("soak: needs an X server and setxkbmap\n");
            return 1;
        }
    }
    Soak soak(seed);
    soak.w.show();
    if (!QTest::qWaitForWindowActive(&soak.w, Patience) ||
        !QTest::qWaitFor([&] { return !soak.persianShown(); }, Patience)) {
        std::printf("soak: the window did not come up in its English pane\n");
        return 1;
    }
    QTest::mouseClick(soak.find("chkClip"), Qt::LeftButton);
    if (!soak.check(0)) {
        return 1;
    }
    const double startMb = residentMb();
    std::printf("soak: seed %u, %d actions in bursts of %d; resident at start %.1f MB\n", seed,
                actions, burst, startMb);
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    bool ok = true;
    for (int b = 1; ok && soak.actions < actions; ++b) {
        for (int i = 0; i < burst && soak.actions < actions; ++i) {
            soak.action();
            QCoreApplication::processEvents();
        }
        ok = soak.check(b);
    }
    const double endMb = residentMb();
    std::printf("soak: %d actions (%d long pastes), %d checks, slowest answer %lld ms, "
                "%.0f s; resident at start %.1f MB, at end %.1f MB\n",
                soak.actions, soak.pastes, soak.checks, soak.slowest,
                double(clock.elapsed()) / 1000.0, startMb, endMb);
    if (ok && endMb - startMb > maxGrowthMb) {
        std::printf("soak: resident size grew by %.1f MB, more than %.0f MB\n", endMb - startMb,
                    maxGrowthMb);
        ok = false;
    }
    std::printf(ok ? "soak: passed\n" : "soak: FAILED\n");
    return ok ? 0 : 1;
}
