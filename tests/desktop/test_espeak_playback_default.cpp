// Playback as the program starts it, to the default sound device. Where
// there is none (CI) nothing is heard; where there is one the texts are
// spoken. Either way every request ends.
#include "espeakspeech.h"
#include "espeakwait.h"
#include "speech.h"

#include <gtest/gtest.h>

TEST(EspeakPlaybackDefault, EveryRequestEndsWithOrWithoutASoundDevice) {
    CaughtStderr caught;
    Finished finished;
    vorlan::EspeakOptions options;
    options.finished = std::ref(finished);
    vorlan::EspeakSpeechService service(options);
    vorlan::Speech speech(service);
    speech.SpeakText(QStringLiteral("first"));
    speech.SpeakText(QStringLiteral("second\r\nline"));
    for (int i = 0; i < 10; ++i) {
        speech.SpeakText(QStringLiteral("again"));
    }
    EXPECT_TRUE(finished.waitFor(12));
    // Without a device, one line says so; with one, nothing is said.
    const QStringList lines = caught.lines();
    EXPECT_LE(lines.size(), 1) << lines.join(u'\n').toStdString();
}
