// Playback as the program starts it, to the default sound device. Where
// there is none (CI: no sound card, no sound server) nothing is heard; where
// there is one the texts are spoken. Either way every request ends and
// nothing waits for the device.
#include "espeakspeech.h"
#include "speech.h"

#include <gtest/gtest.h>

#include <QList>

#include <chrono>
#include <condition_variable>
#include <mutex>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

TEST(EspeakPlaybackDefault, EveryRequestEndsWithOrWithoutASoundDevice) {
    std::mutex mutex;
    std::condition_variable changed;
    QList<quint64> finished;

    vorlan::EspeakOptions options;
    options.finished = [&](quint64 request, bool) {
        std::lock_guard lock(mutex);
        finished.append(request);
        changed.notify_all();
    };
    vorlan::EspeakSpeechService service(options);
    vorlan::Speech speech(service);
    speech.SpeakText(u"first"_s);
    speech.SpeakText(u"second\r\nline"_s);
    ASSERT_TRUE(speech.hasVoice());

    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 60s, [&] { return finished.size() == 2; }));
    EXPECT_LT(finished[0], finished[1]);
}

} // namespace
