// espeak-ng producing audio for tests instead of playing it.
#include "espeakspeech.h"

#include <gtest/gtest.h>

#include <QList>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// What the engine's thread hands over, guarded for the test's thread.
struct Recording {
    std::mutex mutex;
    std::condition_variable changed;
    QList<quint64> order;             // request of each piece, in arrival order
    std::map<quint64, long> samples;  // samples per request
    std::map<quint64, int> peak;      // loudest sample per request
    std::map<quint64, bool> finished; // request -> ok
    bool gateOpen = true;
    bool gateTimedOut = false;

    void piece(quint64 request, const short *data, int count) {
        std::unique_lock lock(mutex);
        // Hold the engine here until the test lets it go, never for ever.
        if (!changed.wait_for(lock, 20s, [this] { return gateOpen; })) {
            gateTimedOut = true;
        }
        if (order.isEmpty() || order.back() != request) {
            order.append(request);
        }
        samples[request] += count;
        for (int i = 0; i < count; ++i) {
            peak[request] = std::max(peak[request], std::abs(int(data[i])));
        }
    }
    void done(quint64 request, bool ok) {
        std::lock_guard lock(mutex);
        finished[request] = ok;
        changed.notify_all();
    }
    bool waitFinished(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 60s, [&] { return finished.size() >= count; });
    }
};

TEST(EspeakRetrieval, TextsComeOutAudibleWholeAndInOrder) {
    Recording recording;
    vorlan::EspeakOptions options;
    options.output = vorlan::EspeakOptions::Output::Retrieval;
    options.samples = [&](quint64 r, const short *s, int n) { recording.piece(r, s, n); };
    options.finished = [&](quint64 r, bool ok) { recording.done(r, ok); };
    vorlan::EspeakSpeechService service(options);

    std::unique_ptr<vorlan::Voice> voice = service.createVoice();
    ASSERT_NE(voice, nullptr);
    // Close the gate: if Speak waited for the audio, it would not come back.
    {
        std::lock_guard lock(recording.mutex);
        recording.gateOpen = false;
    }
    EXPECT_TRUE(voice->Speak(u"Hi."_s, 1));
    EXPECT_TRUE(voice->Speak(u"This second sentence is a good deal longer than the first one, "
                             u"and it goes on\r\nover a second line."_s,
                             1));
    {
        std::lock_guard lock(recording.mutex);
        recording.gateOpen = true;
    }
    recording.changed.notify_all();
    ASSERT_TRUE(recording.waitFinished(2));

    std::lock_guard lock(recording.mutex);
    EXPECT_FALSE(recording.gateTimedOut);
    ASSERT_EQ(recording.order.size(), 2); // no interleaving
    const quint64 first = recording.order[0];
    const quint64 second = recording.order[1];
    EXPECT_LT(first, second);
    EXPECT_TRUE(recording.finished[first]);
    EXPECT_TRUE(recording.finished[second]);
    // Audible, and the longer text takes longer: each text went whole.
    EXPECT_GT(recording.peak[first], 1000);
    EXPECT_GT(recording.peak[second], 1000);
    EXPECT_GT(recording.samples[second], 3 * recording.samples[first]);
}

TEST(EspeakRetrieval, OtherOutputsGetNoVoiceOnceTheEngineRuns) {
    vorlan::EspeakOptions retrieval;
    retrieval.output = vorlan::EspeakOptions::Output::Retrieval;
    vorlan::EspeakSpeechService same(retrieval);
    ASSERT_NE(same.createVoice(), nullptr);

    vorlan::EspeakSpeechService playback; // the default
    EXPECT_EQ(playback.createVoice(), nullptr);
    vorlan::EspeakOptions otherVoice = retrieval;
    otherVoice.voice = "de";
    EXPECT_EQ(vorlan::EspeakSpeechService(otherVoice).createVoice(), nullptr);
}

} // namespace
