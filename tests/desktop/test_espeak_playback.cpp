// Playback where there is no sound device: nothing is heard, nothing breaks.
#include "espeakspeech.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

TEST(EspeakPlayback, WithoutASoundDeviceRequestsFailAndTheProgramGoesOn) {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<quint64, bool> finished;

    vorlan::EspeakOptions options;
    // A device that exists nowhere, so that this holds on a desk with speakers.
    options.device = "vorlan-no-such-device";
    options.finished = [&](quint64 request, bool ok) {
        std::lock_guard lock(mutex);
        finished[request] = ok;
        changed.notify_all();
    };
    auto service = std::make_unique<vorlan::EspeakSpeechService>(options);
    std::unique_ptr<vorlan::Voice> voice = service->createVoice();
    ASSERT_NE(voice, nullptr);
    for (const QString &text : {u"one"_s, u"two"_s, u"three"_s}) {
        EXPECT_TRUE(voice->Speak(text, 1));
    }
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, 60s, [&] { return finished.size() == 3; }));
        for (const auto &[request, ok] : finished) {
            EXPECT_FALSE(ok) << request;
        }
    }
    // Requests queued when the service goes are dropped, and leaving waits
    // for none of them.
    for (int i = 0; i < 20; ++i) {
        voice->Speak(u"never heard"_s, 1);
    }
    service.reset();
    EXPECT_FALSE(voice->Speak(u"after the end"_s, 1));
    std::lock_guard lock(mutex);
    EXPECT_EQ(finished.size(), 3u);
}

} // namespace
