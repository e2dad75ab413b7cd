// The desktop services' own logic: the clipboard's word, and input language
// and speech over fakes.
#include "clipboardwatch.h"
#include "fakes.h"
#include "inputlanguage.h"
#include "speech.h"
#include "x11/keyboard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

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
    QSet<char16_t> letters{0x0622, 0x0624, 0x067E, 0x0686, 0x0698, 0x06A9, 0x06AF, 0x06CC};
    for (char16_t c = 0x0626; c <= 0x063A; ++c) {
        letters.insert(c);
    }
    for (char16_t c = 0x0641; c <= 0x064A; ++c) {
        letters.insert(c);
    }
    for (char16_t c = 0x0600; c <= 0x06FF; ++c) {
        EXPECT_EQ(vorlan::isPersianFirstLetter(QChar(c)), letters.contains(c))
            << std::hex << int(c);
    }
}

// Only 1 and 2 load a layout, and Lang stays as it was; the chord goes out
// once the box has the focus, and without a box too.
TEST(InputLanguage, LayoutsThenFocusAndChord) {
    QWidget window;
    auto *english = new QLineEdit(&window);
    auto *persian = new QLineEdit(&window);
    english->setObjectName(u"txtEnSearch"_s);
    persian->setObjectName(u"txtFaSearch"_s);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    english->setFocus();

    vorlan::FakeCallLog log;
    vorlan::FakeKeyboard keyboard(log);
    for (const int32_t code : {0, 1, 3, 2, -1}) {
        int32_t lang = code;
        vorlan::mDic::SetInputLanguage(keyboard, lang);
        EXPECT_EQ(lang, code);
    }
    int handled = 0;
    vorlan::mDic::FocusWithCtrlShift(keyboard, nullptr, [&] { ++handled; });
    vorlan::mDic::FocusWithCtrlShift(keyboard, persian, [&] { ++handled; });
    EXPECT_EQ(handled, 2);
    ASSERT_EQ(log.summary(),
              QStringList({u"keyboard.loadKeyboardLayout(\"00000429\")"_s,
                           u"keyboard.loadKeyboardLayout(\"00000409\")"_s,
                           u"keyboard.sendCtrlShift()"_s, u"keyboard.sendCtrlShift()"_s}));
    EXPECT_EQ(log.calls()[2].focus, u"txtEnSearch"_s);
    EXPECT_EQ(log.calls()[3].focus, u"txtFaSearch"_s);
}

// The layout follows the latest switch, and only while the application is
// active. Steps: A activate, D deactivate, E switch to English, F to Persian,
// X an unknown code, R the oldest held chord handled.
TEST(InputLanguageSwitcher, LatestSwitchWinsWhileActive) {
    const QString fa = u"keyboard.loadKeyboardLayout(\"00000429\")"_s;
    const QString en = u"keyboard.loadKeyboardLayout(\"00000409\")"_s;
    const QString chord = u"keyboard.sendCtrlShift()"_s;
    const QString release = u"keyboard.releaseLayout()"_s;
    const std::tuple<const char *, bool, QStringList, QString> cases[] = {
        {"AFR", true, {chord, fa}, u"00000429"_s},
        // A chord that could not be sent still ends in the layout.
        {"AFR", false, {chord, fa}, u"00000429"_s},
        {"AE", true, {en}, u"00000409"_s},
        // English comes at once, and stays once the chord is handled.
        {"AFER", true, {chord, en, en}, u"00000409"_s},
        // Back to Persian while the chord is on its way: no second chord.
        {"AFEFR", true, {chord, en, fa}, u"00000429"_s},
        {"AFRFR", true, {chord, fa, chord, fa}, u"00000429"_s},
        // Inactive: the user's layout, and no chord into another program.
        {"AFRD", true, {chord, fa, release}, {}},
        {"DFE", true, {}, {}},
        {"DFEA", true, {en}, u"00000409"_s},
        {"DFA", true, {fa}, u"00000429"_s},
        {"AEDA", true, {en, release, en}, u"00000409"_s},
        {"AFDR", true, {chord, release}, {}},
        {"AFDRA", true, {chord, release, fa}, u"00000429"_s},
        {"AFDAR", true, {chord, release, fa}, u"00000429"_s},
        {"AXR", true, {}, {}},
    };
    for (const auto &[steps, sent, calls, layout] : cases) {
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
                switch (*step) {
                case 'A':
                    switcher.setActive(true);
                    break;
                case 'D':
                    switcher.setActive(false);
                    break;
                case 'E':
                    switcher.switchTo(2, nullptr);
                    break;
                case 'F':
                    switcher.switchTo(1, nullptr);
                    break;
                case 'X':
                    switcher.switchTo(3, nullptr);
                    break;
                case 'R':
                    keyboard.finishChord();
                    break;
                }
            }
            EXPECT_EQ(log.summary().join(u' ').toStdString(), calls.join(u' ').toStdString());
            EXPECT_EQ(keyboard.activeLayout.toStdString(), layout.toStdString());
            EXPECT_EQ(switcher.chordPending(), keyboard.heldChords() > 0);
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

    const std::tuple<QString, bool, bool> cases[] = {
        // name, plain, read
        {u"evdev"_s, true, true},
        {u"xorg"_s, true, true}, // a link to a rules file, as Debian's xorg is
        {u"largest"_s, true, true},
        {u"base-2_x"_s, true, false}, // plain, but no such file
        {u"big"_s, true, false},
        {u"empty"_s, true, false},
        {u"zero"_s, true, false},
        {u"fifo"_s, true, false},
        {u"fifolink"_s, true, false},
        {u"folder"_s, true, false},
        {u"/dev/zero"_s, false, false},
        {u"../rules/evdev"_s, false, false},
        {u"a/b"_s, false, false},
        {u""_s, false, false},
        {u"."_s, false, false},
        {u".."_s, false, false},
        {u"ev dev"_s, false, false},
        {u"evdev\n"_s, false, false},
        {u"\u00E9vdev"_s, false, false},
        {QString(64, u'a'), true, false},
        {QString(65, u'a'), false, false},
    };
    for (const auto &[name, plain, read] : cases) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(vorlan::x11::isPlainRulesName(name), plain);
        const std::optional<QByteArray> text = vorlan::x11::readRulesFile(path, name);
        EXPECT_EQ(text.has_value(), read);
        if (text && name == u"evdev"_s) {
            EXPECT_EQ(*text, rules);
        }
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

} // namespace
