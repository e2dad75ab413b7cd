#include "espeakspeech.h"

#include <alsa/asoundlib.h>
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#include <pcaudiolib/audio.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace vorlan {

struct EspeakSpeechService::Client {
    explicit Client(EspeakOptions o) : options(std::move(o)) {}
    const EspeakOptions options;
    // Held while a callback runs, so that the service can wait them out.
    std::mutex callbackMutex;
    std::atomic<bool> alive = true;
};

namespace {

using Client = EspeakSpeechService::Client;

// Loading espeak-ng's data takes well under a second; past this the engine
// counts as missing for the asking service.
constexpr auto StartTimeout = std::chrono::seconds(5);
// Texts waiting beyond this are refused rather than piled up.
constexpr std::size_t MaxPending = 100;

// ALSA reports every failed open of a device on standard error, several
// lines each time; we say it once, ourselves (noDevice below).
extern "C" void quietAlsa(const char *, int, const char *, int, const char *, ...) {}

struct Request {
    std::shared_ptr<Client> client;
    quint64 id = 0;
    QByteArray text;
};

// The process's one espeak-ng engine and the thread that drives it. Never
// destroyed: espeak-ng cannot be terminated and started again, and its
// thread may be inside a sound device when the program leaves.
class Engine {
public:
    static Engine &instance() {
        static Engine *engine = new Engine;
        return *engine;
    }

    bool start(const EspeakOptions &options) {
        std::unique_lock lock(mutex_);
        if (state_ == State::Idle) {
            output_ = options.output;
            device_ = options.device;
            voice_ = options.voice;
            state_ = State::Starting;
            try {
                std::thread([this] { run(); }).detach();
            } catch (const std::system_error &) {
                state_ = State::Failed;
            }
        }
        changed_.wait_for(lock, StartTimeout, [this] { return state_ != State::Starting; });
        return state_ == State::Running && output_ == options.output && device_ == options.device &&
               voice_ == options.voice;
    }

    bool enqueue(const std::shared_ptr<Client> &client, QByteArray text) {
        {
            std::lock_guard lock(mutex_);
            if (state_ != State::Running || queue_.size() >= MaxPending) {
                return false;
            }
            queue_.push_back(Request{client, nextId_++, std::move(text)});
        }
        changed_.notify_all();
        return true;
    }

    void drop(const Client *client) {
        std::lock_guard lock(mutex_);
        std::erase_if(queue_, [client](const Request &r) { return r.client.get() == client; });
    }

private:
    enum class State { Idle, Starting, Running, Failed };

    Engine() = default;

    bool initialise() {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        if (espeak_ng_Initialize(&context) != ENS_OK) {
            espeak_ng_ClearErrorContext(&context);
            return false;
        }
        // espeak-ng only makes the samples, synchronously on this thread: the
        // queue here keeps the order, and the user-interface thread never
        // waits for either. Playing them is ours, so that a missing sound
        // device is noticed, and reported, by us (espeak-ng's own playback
        // prints an error for every request).
        if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK) {
            return false;
        }
        if (output_ == EspeakOptions::Output::Playback) {
            snd_lib_error_set_handler(&quietAlsa);
            audio_ = create_audio_device_object(device_.isEmpty() ? nullptr : device_.constData(),
                                                "vorlan", "Speech");
        }
        espeak_SetSynthCallback(&Engine::synthCallback);
        return espeak_ng_SetVoiceByName(voice_.constData()) == ENS_OK;
    }

    // Opens the sound device for one text; false, having said so the first
    // time, when there is none.
    bool openAudio() {
        const int error =
            audio_ != nullptr
                ? audio_object_open(audio_, AUDIO_OBJECT_FORMAT_S16LE,
                                    static_cast<uint32_t>(espeak_ng_GetSampleRate()), 1)
                : -1;
        if (error == 0) {
            return true;
        }
        if (!noDeviceReported_) {
            noDeviceReported_ = true;
            // The audio library's reason ("Host is down" for a missing
            // PulseAudio server) tells a user nothing.
            std::fputs("vorlan: no sound device was found; speech is silent\n", stderr);
        }
        return false;
    }

    void run() {
        const bool ok = initialise();
        {
            std::lock_guard lock(mutex_);
            state_ = ok ? State::Running : State::Failed;
        }
        changed_.notify_all();
        if (!ok) {
            return;
        }
        const bool playback = output_ == EspeakOptions::Output::Playback;
        for (;;) {
            Request request;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !queue_.empty(); });
                request = std::move(queue_.front());
                queue_.pop_front();
            }
            bool spoken = false;
            if (!playback || openAudio()) {
                current_ = request.client.get();
                currentId_ = request.id;
                audioFailed_ = false;
                const espeak_ng_STATUS status = espeak_ng_Synthesize(
                    request.text.constData(), static_cast<size_t>(request.text.size()) + 1, 0,
                    POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
                current_ = nullptr;
                spoken = status == ENS_OK && !audioFailed_;
                if (playback) {
                    spoken = audio_object_drain(audio_) == 0 && spoken;
                    audio_object_close(audio_);
                }
            }
            std::lock_guard lock(request.client->callbackMutex);
            if (request.client->alive && request.client->options.finished) {
                request.client->options.finished(request.id, spoken);
            }
        }
    }

    // espeak-ng's audio callback, on the engine's thread. Returning 1 stops
    // the text, which we do once its service is gone.
    static int synthCallback(short *samples, int count, espeak_EVENT *) {
        Engine &engine = instance();
        Client *client = engine.current_;
        if (client == nullptr) {
            return 0;
        }
        std::lock_guard lock(client->callbackMutex);
        if (!client->alive) {
            return 1;
        }
        if (samples == nullptr || count <= 0) {
            return 0;
        }
        if (engine.audio_ != nullptr) {
            if (audio_object_write(engine.audio_, samples,
                                   static_cast<size_t>(count) * sizeof(short)) != 0) {
                engine.audioFailed_ = true;
                return 1;
            }
        } else if (client->options.samples) {
            client->options.samples(engine.currentId_, samples, count);
        }
        return 0;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    EspeakOptions::Output output_ = EspeakOptions::Output::Playback;
    QByteArray device_;
    QByteArray voice_;
    std::deque<Request> queue_;
    quint64 nextId_ = 1;
    // Only the engine's thread touches these.
    Client *current_ = nullptr;
    quint64 currentId_ = 0;
    audio_object *audio_ = nullptr; // playback only
    bool audioFailed_ = false;
    bool noDeviceReported_ = false;
};

class EspeakVoice final : public Voice {
public:
    explicit EspeakVoice(std::shared_ptr<Client> client) : client_(std::move(client)) {}

    // Every request is asynchronous and plain text; flags beyond that are
    // not ours to honour. False when the text could not be queued.
    bool Speak(const QString &text, int flags) override {
        Q_UNUSED(flags);
        if (text.isEmpty()) {
            return true;
        }
        if (!client_->alive) {
            return false;
        }
        return Engine::instance().enqueue(client_, text.toUtf8());
    }

private:
    std::shared_ptr<Client> client_;
};

} // namespace

EspeakSpeechService::EspeakSpeechService(EspeakOptions options)
    : client_(std::make_shared<Client>(std::move(options))) {}

EspeakSpeechService::~EspeakSpeechService() {
    Engine::instance().drop(client_.get());
    std::lock_guard lock(client_->callbackMutex);
    client_->alive = false;
}

std::unique_ptr<Voice> EspeakSpeechService::createVoice() {
    if (!Engine::instance().start(client_->options)) {
        return nullptr;
    }
    return std::make_unique<EspeakVoice>(client_);
}

} // namespace vorlan
