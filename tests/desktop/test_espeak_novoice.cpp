// espeak-ng without the voice asked for: no voice, no crash, no hang.
#include "espeakspeech.h"
#include "speech.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(EspeakNoVoice, NoVoiceMeansNothingSpoken) {
    vorlan::EspeakOptions options;
    options.output = vorlan::EspeakOptions::Output::Retrieval;
    options.voice = "vorlan-no-such-voice";
    int pieces = 0;
    options.samples = [&](quint64, const short *, int) { ++pieces; };
    vorlan::EspeakSpeechService service(options);
    EXPECT_EQ(service.createVoice(), nullptr);

    vorlan::Speech speech(service);
    speech.SpeakText(u"hello"_s);
    speech.SpeakText(u"hello again"_s);
    EXPECT_FALSE(speech.hasVoice());
    EXPECT_EQ(pieces, 0);
}

} // namespace
