#include "espeakspeech.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
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
        // Synchronous on this thread: the queue here keeps the order, and the
        // user-interface thread never waits for either.
        const auto mode = output_ == EspeakOptions::Output::Playback
                              ? ENOUTPUT_MODE_SYNCHRONOUS | ENOUTPUT_MODE_SPEAK_AUDIO
                              : ENOUTPUT_MODE_SYNCHRONOUS;
        if (espeak_ng_InitializeOutput(static_cast<espeak_ng_OUTPUT_MODE>(mode), 0,
                                       device_.isEmpty() ? nullptr : device_.constData()) !=
            ENS_OK) {
            return false;
        }
        espeak_SetSynthCallback(&Engine::synthCallback);
        return espeak_ng_SetVoiceByName(voice_.constData()) == ENS_OK;
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
        for (;;) {
            Request request;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !queue_.empty(); });
                request = std::move(queue_.front());
                queue_.pop_front();
            }
            current_ = request.client.get();
            currentId_ = request.id;
            const espeak_ng_STATUS status = espeak_ng_Synthesize(
                request.text.constData(), static_cast<size_t>(request.text.size()) + 1, 0,
                POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
            current_ = nullptr;
            std::lock_guard lock(request.client->callbackMutex);
            if (request.client->alive && request.client->options.finished) {
                request.client->options.finished(request.id, status == ENS_OK);
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
        if (samples != nullptr && count > 0 && client->options.samples) {
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
