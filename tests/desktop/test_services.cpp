// The desktop services' own logic: the clipboard's word, input language and
// speech over fakes, and the signals that ask the program to end.
#include "clipboardwatch.h"
#include "fakes.h"
#include "inputlanguage.h"
#include "quitsignals.h"
#include "speech.h"
#include "x11/keyboard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ClipWord, TakesTheFirstWordAndItsLanguage) {
    using enum vorlan::ClipLanguage;
    const std::tuple<QString, QString, vorlan::ClipLanguage> cases[] = {
        {u"  Hello world  "_s, u"Hello"_s, English},
        {u"abcdefghijklmnopqrstuvwxyzabcd"_s, u"abcdefghijklmnopqrst"_s, English},
        // The cut counts UTF-16 code units, even inside a surrogate pair.
        {u"abcdefghijklmnopqrs\U0001F600"_s, u"abcdefghijklmnopqrs\xD83D"_s, English},
        // Only U+0020 is trimmed and cut at.
        {u"one\r\ntwo\r\n"_s, u"one\r\ntwo\r\n"_s, English},
        {u"\tword"_s, u"\tword"_s, None},
        {u"123 abc"_s, u"123"_s, None},
        {u"\u00C4pfel"_s, u"\u00C4pfel"_s, None},
        {u" \u0633\u0644\u0627\u0645 \u062F\u0646\u06CC\u0627 "_s, u"\u0633\u0644\u0627\u0645"_s,
         Persian},
        {u"     "_s, u""_s, None},
        // Farsi yeh, as today's Persian keyboards type it, begins a Persian word.
        {u"\u06CC\u06A9 \u0628\u0627\u0631"_s, u"\u06CC\u06A9"_s, Persian},
    };
    for (const auto &[clipboard, word, language] : cases) {
        const vorlan::ClipWord taken = vorlan::takeClipWord(clipboard);
        EXPECT_EQ(taken.word, word) << clipboard.toStdString();
        EXPECT_EQ(int(taken.language), int(language)) << clipboard.toStdString();
    }
}

// The letters of FaLetters and Farsi yeh, over the whole Arabic block.
TEST(ClipWord, PersianFirstLetters) {
    const QStringView others = u"\u0622\u0624\u067E\u0686\u0698\u06A9\u06AF\u06CC";
    for (char16_t c = 0x0600; c <= 0x06FF; ++c) {
        const bool letter =
            (c >= 0x0626 && c <= 0x063A) || (c >= 0x0641 && c <= 0x064A) || others.contains(c);
        EXPECT_EQ(vorlan::isPersianFirstLetter(QChar(c)), letter) << std::hex << int(c);
    }
}

// The layout follows the latest switch, and only while the application is
// active; the chord goes out once the box has the focus again. Steps: A
// activate, D deactivate, E switch to English, F to Persian, X an unknown
// code, R the oldest held chord handled.
TEST(InputLanguageSwitcher, LatestSwitchWinsWhileActive) {
    QLineEdit box; // in an active window, without the focus
    box.setObjectName(u"txtFaSearch"_s);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    const QString fa = u"keyboard.loadKeyboardLayout(\"00000429\")"_s;
    const QString en = u"keyboard.loadKeyboardLayout(\"00000409\")"_s;
    const QString chord = u"keyboard.sendCtrlShift()"_s;
    const QString release = u"keyboard.releaseLayout()"_s;
    const std::tuple<const char *, bool, QStringList> cases[] = {
        {"AFR", true, {chord, fa}},
        // A chord that could not be sent still ends in the layout.
        {"AFR", false, {chord, fa}},
        {"AE", true, {en}},
        // English comes at once, and stays once the chord is handled.
        {"AFER", true, {chord, en, en}},
        // Back to Persian while the chord is on its way: no second chord.
        {"AFEFR", true, {chord, en, fa}},
        {"AFRFR", true, {chord, fa, chord, fa}},
        // Inactive: the user's layout, and no chord into another program.
        {"AFRD", true, {chord, fa, release}},
        {"DFE", true, {}},
        {"DFEA", true, {en}},
        {"DFA", true, {fa}},
        {"AEDA", true, {en, release, en}},
        {"AFDR", true, {chord, release}},
        {"AFDRA", true, {chord, release, fa}},
        {"AFDAR", true, {chord, release, fa}},
        {"AXR", true, {}},
    };
    for (const auto &[steps, sent, calls] : cases) {
        SCOPED_TRACE(std::string(steps) + (sent ? "" : ", chord not sent"));
        vorlan::FakeCallLog log;
        vorlan::FakeKeyboard keyboard(log);
        keyboard.holdChords = true;
        keyboard.sendResult = sent;
        {
            vorlan::InputLanguageSwitcher switcher(keyboard);
            switcher.setActive(false);
            log.clear();
            for (const char *step = steps; *step != '\0'; ++step) {
                box.clearFocus();
                if (*step == 'A' || *step == 'D') {
                    switcher.setActive(*step == 'A');
                } else if (*step == 'R') {
                    keyboard.finishChord();
                } else {
                    switcher.switchTo(*step == 'E' ? 2 : *step == 'F' ? 1 : 3, &box);
                }
            }
            EXPECT_EQ(log.summary().join(u' ').toStdString(), calls.join(u' ').toStdString());
            EXPECT_EQ(switcher.chordPending(), keyboard.heldChords() > 0);
        }
        for (const vorlan::FakeCall &call : log.calls(u"keyboard.sendCtrlShift"_s)) {
            EXPECT_EQ(call.focus, u"txtFaSearch"_s);
        }
        // Its end gives the user's layout back; a late chord changes nothing.
        EXPECT_EQ(log.summary().constLast().toStdString(), release.toStdString());
        keyboard.finishChord();
        EXPECT_EQ(log.summary().constLast().toStdString(), release.toStdString());
    }
}

// The rules name comes from an X property any client may set: only a plain
// name is looked up, and only a regular file of sane size is read; FIFOs,
// devices and folders are turned away without blocking.
TEST(XkbRules, OnlyPlainNamesOfRegularFilesAreRead) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray path = QFile::encodeName(folder.path());
    const QByteArray rules = "! model = keycodes\n  *  = evdev\n";
    const auto make = [&](const char *name, const QByteArray &content) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    make("evdev", rules);
    make("empty", {});
    make("big", QByteArray(vorlan::x11::MaxRulesFileSize + 1, '#'));
    make("largest", QByteArray(vorlan::x11::MaxRulesFileSize, '#'));
    ASSERT_EQ(::symlink("evdev", (path + "/xorg").constData()), 0);
    ASSERT_EQ(::symlink("/dev/zero", (path + "/zero").constData()), 0);
    ASSERT_EQ(::mkfifo((path + "/fifo").constData(), 0600), 0);
    ASSERT_EQ(::symlink("fifo", (path + "/fifolink").constData()), 0);
    ASSERT_EQ(::mkdir((path + "/folder").constData(), 0700), 0);

    // Plain names, read only where they lead to a regular file of sane size
    // (xorg is a link to one, as Debian's is); base-2_x is no file.
    for (const QString &name : {u"evdev"_s, u"xorg"_s, u"largest"_s}) {
        EXPECT_TRUE(vorlan::x11::isPlainRulesName(name)) << name.toStdString();
        EXPECT_TRUE(vorlan::x11::readRulesFile(path, name)) << name.toStdString();
    }
    for (const QString &name : {u"base-2_x"_s, u"big"_s, u"empty"_s, u"zero"_s, u"fifo"_s,
                                u"fifolink"_s, u"folder"_s, QString(64, u'a')}) {
        EXPECT_TRUE(vorlan::x11::isPlainRulesName(name)) << name.toStdString();
        EXPECT_FALSE(vorlan::x11::readRulesFile(path, name)) << name.toStdString();
    }
    EXPECT_EQ(vorlan::x11::readRulesFile(path, u"evdev"_s), rules);
    // Others are never read, even the path of a rules file.
    for (const QString &name :
         {u"/dev/zero"_s, u"../rules/evdev"_s, u"a/b"_s, u""_s, u"."_s, u".."_s, u"ev dev"_s,
          u"evdev\n"_s, u"\u00E9vdev"_s, QString(65, u'a'), QFile::decodeName(path + "/evdev")}) {
        EXPECT_FALSE(vorlan::x11::isPlainRulesName(name)) << name.toStdString();
        EXPECT_FALSE(vorlan::x11::readRulesFile(path, name)) << name.toStdString();
    }
    // The system's own rules are found by name.
    EXPECT_TRUE(vorlan::x11::readRulesFile(vorlan::x11::RulesFolder, u"evdev"_s).has_value());
}

// Without an engine nothing is spoken, and the next text asks again; then
// one voice takes every text whole, asynchronously.
TEST(Speech, AsksForAVoiceUntilThereIsOne) {
    vorlan::FakeCallLog log;
    vorlan::FakeSpeech service(log);
    vorlan::Speech speech(service);
    service.available = false;
    speech.SpeakText(u"unheard"_s);
    service.available = true;
    speech.SpeakText(u"two\r\nlines "_s);
    speech.SpeakText(u"again"_s);
    EXPECT_EQ(log.summary(), QStringList({u"speech.createVoice()"_s, u"speech.createVoice()"_s,
                                          u"voice.Speak(0, \"two\r\nlines \", 1)"_s,
                                          u"voice.Speak(0, \"again\", 1)"_s}));
}

// Off X11 the platform's keyboard and stacking do nothing, and say so.
TEST(PlatformServices, OffscreenKeyboardAndStackingReportFalse) {
    const std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    EXPECT_FALSE(services->keyboard().loadKeyboardLayout(u"00000429"_s));
    int sent = -1;
    services->keyboard().sendCtrlShift([&](bool ok) { sent = ok; });
    EXPECT_EQ(sent, 0);
    EXPECT_FALSE(services->stacking().setTopmost(1, true));
}

void (*handlerOf(int signal))(int) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

// Raised inside a nested loop, as a modal box runs: that loop and the outer
// one end with status 0, and the handler is given back afterwards.
TEST(QuitOnSignals, EachSignalEndsEveryLoopAndIsThenGivenBack) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const auto before = handlerOf(signal);
        bool nestedEnded = false;
        {
            vorlan::QuitOnSignals quit;
            ASSERT_TRUE(quit.active());
            // A second instance would steal the handlers: it stays inactive.
            EXPECT_FALSE(vorlan::QuitOnSignals().active());
            QTimer::singleShot(0, [&] {
                // Twice: a second request while quitting does no harm.
                QTimer::singleShot(0, [signal] {
                    std::raise(signal);
                    std::raise(signal);
                });
                QEventLoop nested;
                nested.exec();
                nestedEnded = true;
            });
            QTimer::singleShot(10000, &quit, [] { QCoreApplication::exit(7); }); // if it fails
            EXPECT_EQ(QCoreApplication::exec(), 0);
        }
        EXPECT_TRUE(nestedEnded);
        EXPECT_EQ(handlerOf(signal), before);
    }
}

} // namespace
