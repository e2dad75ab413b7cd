#include "fakes.h"
#include "inputlanguage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <limits>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

TEST(SetInputLanguage, OnlyOneAndTwoLoadALayout) {
    const struct {
        int32_t lang;
        QStringList calls;
    } cases[] = {
        {1, {u"keyboard.loadKeyboardLayout(\"00000429\")"_s}},
        {2, {u"keyboard.loadKeyboardLayout(\"00000409\")"_s}},
        {0, {}},
        {3, {}},
        {-1, {}},
        {std::numeric_limits<int32_t>::min(), {}},
    };
    for (const auto &c : cases) {
        vorlan::FakeCallLog log;
        vorlan::FakeKeyboard keyboard(log);
        keyboard.loadResult = c.lang != 1; // a failed load changes nothing either
        int32_t lang = c.lang;
        vorlan::mDic::SetInputLanguage(keyboard, lang);
        EXPECT_EQ(lang, c.lang);
        EXPECT_EQ(log.summary(), c.calls) << c.lang;
    }
}

// Two search boxes in a shown window, as the pane toggle has them.
struct FocusTest : testing::Test {
    vorlan::FakeDesktopServices services;
    QWidget window;
    QLineEdit *txtEnSearch = new QLineEdit(&window);
    QLineEdit *txtFaSearch = new QLineEdit(&window);

    void SetUp() override {
        txtEnSearch->setObjectName(u"txtEnSearch"_s);
        txtFaSearch->setObjectName(u"txtFaSearch"_s);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(txtEnSearch);
        layout->addWidget(txtFaSearch);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        txtEnSearch->setFocus();
    }
};

TEST_F(FocusTest, FocusThenChordThenPersianLayout) {
    vorlan::FakeKeyboard &keyboard = services.fakeKeyboard();
    vorlan::mDic::FocusWithCtrlShift(keyboard, txtFaSearch);
    int32_t persian = 1;
    vorlan::mDic::SetInputLanguage(keyboard, persian);

    EXPECT_EQ(services.log().summary(),
              QStringList(
                  {u"keyboard.sendCtrlShift()"_s, u"keyboard.loadKeyboardLayout(\"00000429\")"_s}));
    for (const vorlan::FakeCall &call : services.log().calls()) {
        EXPECT_EQ(call.focus, u"txtFaSearch"_s) << call.call.toStdString();
    }
    EXPECT_EQ(keyboard.activeLayout, u"00000429"_s);
}

TEST_F(FocusTest, ChordGoesOutWhenTheFocusStepCannotHappen) {
    vorlan::mDic::FocusWithCtrlShift(services.keyboard(), nullptr);
    txtFaSearch->hide();
    vorlan::mDic::FocusWithCtrlShift(services.keyboard(), txtFaSearch);
    ASSERT_EQ(services.log().calls().size(), 2);
    for (const vorlan::FakeCall &call : services.log().calls()) {
        EXPECT_EQ(call.call, u"keyboard.sendCtrlShift"_s);
        EXPECT_EQ(call.focus, u"txtEnSearch"_s);
    }
}

TEST_F(FocusTest, FailuresOfTheKeyboardAreSwallowed) {
    struct ThrowingKeyboard : vorlan::KeyboardService {
        bool loadKeyboardLayout(const QString &) override { return false; }
        bool sendCtrlShift() override { throw std::runtime_error("no keyboard"); }
    } keyboard;
    EXPECT_NO_THROW(vorlan::mDic::FocusWithCtrlShift(keyboard, txtFaSearch));
    EXPECT_EQ(QApplication::focusWidget(), txtFaSearch);
}

TEST(Fakes, ClipboardStacksAndBoxesShareTheLog) {
    vorlan::FakeDesktopServices services;
    services.fakeClipboard().setText(u"copied"_s);
    EXPECT_EQ(services.clipboard().text(), u"copied"_s);
    services.fakeClipboard().setUnreadable(true);
    EXPECT_EQ(services.clipboard().text(), u""_s);
    services.fakeStacking().result = false;
    EXPECT_FALSE(services.stacking().setTopmost(42, true));
    EXPECT_EQ(services.messageBox().messageBox(nullptr, u"text"_s, u"title"_s, 0x180000), 1);
    EXPECT_EQ(services.log().summary(),
              QStringList({u"clipboard.text()"_s, u"clipboard.text()"_s,
                           u"stacking.setTopmost(42, true)"_s,
                           u"messageBox.messageBox(\"text\", \"title\", 1572864)"_s}));
}

// Off X11 the platform set does nothing where it cannot, and says so.
TEST(PlatformServices, OffscreenKeyboardAndStackingReportFalse) {
    ASSERT_NE(QGuiApplication::platformName(), u"xcb"_s);
    const std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    EXPECT_FALSE(services->keyboard().loadKeyboardLayout(u"00000429"_s));
    EXPECT_FALSE(services->keyboard().sendCtrlShift());
    EXPECT_FALSE(services->stacking().setTopmost(1, true));
    QGuiApplication::clipboard()->setText(u"offscreen text"_s);
    EXPECT_EQ(services->clipboard().text(), u"offscreen text"_s);
}

} // namespace
