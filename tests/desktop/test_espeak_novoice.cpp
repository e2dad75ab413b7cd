// espeak-ng without the voice asked for: no voice, no crash, no hang, the
// first time or the next.
#include "espeakspeech.h"
#include "speech.h"

#include <gtest/gtest.h>

TEST(EspeakNoVoice, NothingIsSpoken) {
    vorlan::EspeakOptions options;
    options.output = vorlan::EspeakOptions::Output::Retrieval;
    options.voice = "vorlan-no-such-voice";
    vorlan::EspeakSpeechService service(options);
    vorlan::Speech speech(service);
    speech.SpeakText(QStringLiteral("hello"));
    speech.SpeakText(QStringLiteral("hello again"));
    EXPECT_FALSE(speech.hasVoice());
}
