#include "fakes.h"
#include "speech.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct SpeechTest : testing::Test {
    vorlan::FakeCallLog log;
    vorlan::FakeSpeech service{log};
    vorlan::Speech speech{service};
};

TEST_F(SpeechTest, OneVoiceSpeaksEveryTextWholeAndInOrder) {
    speech.SpeakText(u""_s);
    EXPECT_TRUE(log.calls().isEmpty());
    EXPECT_FALSE(speech.hasVoice());

    speech.SpeakText(u"book"_s);
    speech.SpeakText(u" two  words \r\nand a second line\r\n"_s);
    speech.SpeakText(u""_s);
    speech.SpeakText(u"book"_s);
    EXPECT_EQ(log.summary(),
              QStringList({u"speech.createVoice()"_s, u"voice.Speak(0, \"book\", 1)"_s,
                           u"voice.Speak(0, \" two  words \r\nand a second line\r\n\", 1)"_s,
                           u"voice.Speak(0, \"book\", 1)"_s}));
}

TEST_F(SpeechTest, WithoutAnEngineNothingIsSpokenUntilOneComes) {
    service.available = false;
    speech.SpeakText(u"first"_s);
    EXPECT_FALSE(speech.hasVoice());
    service.available = true;
    speech.SpeakText(u"second"_s);
    EXPECT_EQ(log.summary(), QStringList({u"speech.createVoice()"_s, u"speech.createVoice()"_s,
                                          u"voice.Speak(0, \"second\", 1)"_s}));
}

} // namespace
