#pragma once

#include "services.h"

#include <QByteArray>

#include <functional>
#include <memory>

namespace vorlan {

struct EspeakOptions {
    enum class Output {
        Playback,  // to the sound device
        Retrieval, // to the samples callback, for tests
    };
    Output output = Output::Playback;
    // Playback device; empty for the default one.
    QByteArray device;
    // espeak-ng voice name.
    QByteArray voice = "en-us";
    // Retrieval: the audio of request `request` piece by piece, 16-bit mono at
    // espeak-ng's sample rate. Called on the speech thread.
    std::function<void(quint64 request, const short *samples, int count)> samples;
    // After each request, on the speech thread: whether espeak-ng produced it
    // in full (played it, in playback).
    std::function<void(quint64 request, bool ok)> finished;
};

// Speech through espeak-ng, on a thread of its own: Speak queues the text and
// returns at once; requests are spoken one after the other, in order.
//
// Playback goes through pcaudiolib (PulseAudio, else ALSA), opened for each
// text. Without a sound device a text ends unheard, and the first time one
// line on standard error says so; ALSA's own messages are silenced for the
// process.
//
// espeak-ng is one engine per process that cannot be started twice, so the
// first voice made fixes its output, device and voice for the rest of the
// process: a later service that asks for other ones gets no voice. The engine
// is left running when the services go; its thread ends with the process, so
// that leaving never waits for a sound device.
class EspeakSpeechService final : public SpeechService {
public:
    explicit EspeakSpeechService(EspeakOptions options = {});
    // Drops this service's requests that have not begun; after it returns,
    // none of its callbacks runs again.
    ~EspeakSpeechService() override;
    EspeakSpeechService(const EspeakSpeechService &) = delete;
    EspeakSpeechService &operator=(const EspeakSpeechService &) = delete;

    // Nullptr when espeak-ng cannot start (no voice data, unknown voice) or
    // runs with another output. Starting waits for espeak-ng to load its
    // data, at most a few seconds, never for the sound device.
    std::unique_ptr<Voice> createVoice() override;

    struct Client;

private:
    std::shared_ptr<Client> client_;
};

} // namespace vorlan
