#pragma once

#include "services.h"

#include <QString>

#include <memory>

namespace vorlan {

// The speak button's module: one voice, made on the first text there is to
// speak and kept for the rest of the run.
class Speech {
public:
    explicit Speech(SpeechService &service);

    // Hands the text, unchanged and whole, to the voice, asynchronously. An
    // empty text makes no voice and speaks nothing. Without a speech engine
    // nothing is spoken; the next text asks for a voice again.
    void SpeakText(const QString &text);

    bool hasVoice() const { return static_cast<bool>(voice_); }

private:
    SpeechService &service_;
    std::unique_ptr<vorlan::Voice> voice_;
};

} // namespace vorlan
