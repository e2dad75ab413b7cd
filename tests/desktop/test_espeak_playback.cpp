// Playback where there is no sound device: every request ends unheard, and
// a service that goes waits for none of those still queued.
#include "espeakspeech.h"
#include "espeakwait.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Runs first: the engine starts here, with standard error caught. Many
// requests, no device: one line saying so, at most.
TEST(EspeakPlayback, WithoutASoundDeviceSaysSoOnceAtMost) {
    CaughtStderr caught;
    Finished finished;
    vorlan::EspeakOptions options;
    options.device = "vorlan-no-such-device";
    options.finished = std::ref(finished);
    vorlan::EspeakSpeechService service(options);
    std::unique_ptr<vorlan::Voice> voice = service.createVoice();
    ASSERT_NE(voice, nullptr);
    constexpr int Requests = 20;
    for (int i = 0; i < Requests; ++i) {
        EXPECT_TRUE(voice->Speak(u"word %1"_s.arg(i), 1));
    }
    ASSERT_TRUE(finished.waitFor(Requests));
    EXPECT_EQ(finished.ok, QList<bool>(Requests, false));
    const QStringList lines = caught.lines();
    EXPECT_LE(lines.size(), 1) << lines.join(u'\n').toStdString();
    for (const QString &line : lines) {
        EXPECT_TRUE(line.contains(u"no sound device"_s)) << line.toStdString();
    }
}

TEST(EspeakPlayback, WithoutASoundDeviceRequestsFailAndTheProgramGoesOn) {
    Finished finished;
    vorlan::EspeakOptions options;
    // A device that exists nowhere, so that this holds on a desk with speakers.
    options.device = "vorlan-no-such-device";
    options.finished = std::ref(finished);
    auto service = std::make_unique<vorlan::EspeakSpeechService>(options);
    std::unique_ptr<vorlan::Voice> voice = service->createVoice();
    ASSERT_NE(voice, nullptr);
    for (const QString &text : {u"one"_s, u"two"_s, u"three"_s}) {
        EXPECT_TRUE(voice->Speak(text, 1));
    }
    ASSERT_TRUE(finished.waitFor(3));
    EXPECT_EQ(finished.ok, QList<bool>(3, false));
    for (int i = 0; i < 20; ++i) {
        voice->Speak(u"never heard"_s, 1);
    }
    service.reset();
    EXPECT_FALSE(voice->Speak(u"after the end"_s, 1));
}
