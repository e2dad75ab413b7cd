// Playback as the program starts it, to the default sound device. Where
// there is none (CI) nothing is heard; where there is one the texts are
// spoken. Either way every request ends.
#include "espeakspeech.h"
#include "espeakwait.h"
#include "speech.h"

#include <gtest/gtest.h>

TEST(EspeakPlaybackDefault, EveryRequestEndsWithOrWithoutASoundDevice) {
    Finished finished;
    vorlan::EspeakOptions options;
    options.finished = std::ref(finished);
    vorlan::EspeakSpeechService service(options);
    vorlan::Speech speech(service);
    speech.SpeakText(QStringLiteral("first"));
    speech.SpeakText(QStringLiteral("second\r\nline"));
    EXPECT_TRUE(finished.waitFor(2));
}
