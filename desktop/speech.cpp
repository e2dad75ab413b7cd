#include "speech.h"

namespace vorlan {

namespace {
// SVSFlagsAsync: return at once, queued after earlier texts.
constexpr int SpeakAsync = 1;
} // namespace

Speech::Speech(SpeechService &service) : service_(service) {}

void Speech::SpeakText(const QString &text) {
    if (text.isEmpty()) {
        return;
    }
    if (!voice_) {
        voice_ = service_.createVoice();
        if (!voice_) {
            return;
        }
    }
    voice_->Speak(text, SpeakAsync);
}

} // namespace vorlan
