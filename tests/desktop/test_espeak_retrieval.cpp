// espeak-ng handing its audio to the test instead of playing it.
#include "espeakspeech.h"
#include "espeakwait.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

TEST(EspeakRetrieval, TextsComeOutAudibleWholeAndInOrder) {
    Finished finished;
    // Shut while the texts are handed over: a Speak that waited for the audio
    // would come back only once the gate gave up.
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
    const QString texts[] = {u"Hi."_s, u"This one is a little longer."_s,
                             u"This third sentence is a good deal longer than the other two, "
                             u"and it goes on\r\nover a second line."_s};
    for (const QString &text : texts) {
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
        EXPECT_GT(runs[i].peak, 1000) << i; // audible
        // Longer than the one before: each text went whole, and in order.
        EXPECT_GT(runs[i].samples, 2 * (i > 0 ? runs[i - 1].samples : 0)) << i;
    }
}
