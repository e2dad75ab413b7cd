// espeak-ng is one engine per process, fixed at its first use: this file is
// built once for each way of starting it, chosen by an ESPEAK_* define.
#include "espeakspeech.h"
#include "speech.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <condition_variable>
#include <mutex>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// What `finished` reports, for the test's thread to wait on, never for ever.
struct Finished {
    std::mutex mutex;
    std::condition_variable changed;
    QList<bool> ok; // for each request, in the order they ended

    void operator()(quint64, bool succeeded) {
        std::lock_guard lock(mutex);
        ok.append(succeeded);
        changed.notify_all();
    }
    // False when fewer than count requests ended within a minute.
    bool waitFor(qsizetype count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 1min, [&] { return ok.size() >= count; });
    }
};

// The lines written to standard error, by any thread, since CaptureStderr.
[[maybe_unused]] QStringList capturedLines() {
    return QString::fromStdString(testing::internal::GetCapturedStderr())
        .split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

#if defined(ESPEAK_retrieval)
// The audio handed to the test instead of played: each text audible, whole
// and in order, and Speak never waits for it.
TEST(Espeak, RetrievedTextsComeOutAudibleWholeAndInOrder) {
    Finished finished;
    // Shut while the texts are handed over: a Speak that waited for their
    // audio would come back only once the gate gave up.
    bool gateOpen = false;
    bool gateGaveUp = false;
    struct Run {
        quint64 request;
        long samples;
        int peak;
    };
    QList<Run> runs; // the audio, a run for each request in turn
    vorlan::EspeakOptions options;
    options.output = vorlan::EspeakOptions::Output::Retrieval;
    options.samples = [&](quint64 request, const short *data, int count) {
        std::unique_lock lock(finished.mutex);
        gateGaveUp = gateGaveUp || !finished.changed.wait_for(lock, 20s, [&] { return gateOpen; });
        if (runs.isEmpty() || runs.back().request != request) {
            runs.append({request, 0, 0});
        }
        runs.back().samples += count;
        for (int i = 0; i < count; ++i) {
            runs.back().peak = std::max(runs.back().peak, std::abs(int(data[i])));
        }
    };
    options.finished = std::ref(finished);
    vorlan::EspeakSpeechService service(options);
    std::unique_ptr<vorlan::Voice> voice = service.createVoice();
    ASSERT_NE(voice, nullptr);
    // Each text longer than the one before: their audio tells them apart.
    for (const QString &text : {u"Hi."_s, u"This one is a little longer."_s,
                                u"This third sentence is a good deal longer than the other two, "
                                u"and it goes on\r\nover a second line."_s}) {
        EXPECT_TRUE(voice->Speak(text, 1));
    }
    {
        std::lock_guard lock(finished.mutex);
        gateOpen = true;
    }
    finished.changed.notify_all();
    ASSERT_TRUE(finished.waitFor(3));
    std::lock_guard lock(finished.mutex);
    EXPECT_FALSE(gateGaveUp);
    EXPECT_EQ(finished.ok, QList<bool>(3, true));
    ASSERT_EQ(runs.size(), 3); // one after the other, not interleaved
    for (qsizetype i = 0; i < runs.size(); ++i) {
        EXPECT_GT(runs[i].peak, 1000) << i;
        EXPECT_GT(runs[i].samples, 2 * (i > 0 ? runs[i - 1].samples : 0)) << i;
    }
}

#elif defined(ESPEAK_playback)
// A device that exists nowhere, so that this holds on a desk with speakers:
// every request ends unheard, one line says so at most, and a service that
// goes waits for none of those still queued.
TEST(Espeak, PlaybackWithoutASoundDevice) {
    Finished finished;
    testing::internal::CaptureStderr();
    vorlan::EspeakOptions options;
    options.device = "vorlan-no-such-device";
    options.finished = std::ref(finished);
    auto service = std::make_unique<vorlan::EspeakSpeechService>(options);
    std::unique_ptr<vorlan::Voice> voice = service->createVoice();
    ASSERT_NE(voice, nullptr);
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(voice->Speak(u"word %1"_s.arg(i), 1));
    }
    ASSERT_TRUE(finished.waitFor(20));
    EXPECT_EQ(finished.ok, QList<bool>(20, false));
    for (int i = 0; i < 20; ++i) {
        voice->Speak(u"never heard"_s, 1);
    }
    service.reset();
    EXPECT_FALSE(voice->Speak(u"after the end"_s, 1));
    const QStringList lines = capturedLines();
    EXPECT_LE(lines.size(), 1) << lines.join(u'\n').toStdString();
    for (const QString &line : lines) {
        // Plain words, not the audio library's reason ("Host is down").
        EXPECT_EQ(line, u"vorlan: no sound device was found; speech is silent"_s)
            << line.toStdString();
    }
}

#elif defined(ESPEAK_playback_default)
// As the program starts it, to the default device: where there is none (CI)
// one line says so, where there is one the texts are heard; either way
// every request ends.
TEST(Espeak, PlaybackToTheDefaultDeviceEndsEveryRequest) {
    Finished finished;
    testing::internal::CaptureStderr();
    vorlan::EspeakOptions options;
    options.finished = std::ref(finished);
    vorlan::EspeakSpeechService service(options);
    vorlan::Speech speech(service);
    speech.SpeakText(u"first"_s);
    speech.SpeakText(u"second\r\nline"_s);
    for (int i = 0; i < 10; ++i) {
        speech.SpeakText(u"again"_s);
    }
    EXPECT_TRUE(finished.waitFor(12));
    const QStringList lines = capturedLines();
    EXPECT_LE(lines.size(), 1) << lines.join(u'\n').toStdString();
}

#else
// Without the voice asked for: no voice, no crash, no hang, the first time
// or the next.
TEST(Espeak, WithoutTheVoiceNothingIsSpoken) {
    vorlan::EspeakOptions options;
    options.output = vorlan::EspeakOptions::Output::Retrieval;
    options.voice = "vorlan-no-such-voice";
    vorlan::EspeakSpeechService service(options);
    vorlan::Speech speech(service);
    speech.SpeakText(u"hello"_s);
    speech.SpeakText(u"hello again"_s);
    EXPECT_FALSE(speech.hasVoice());
}
#endif
