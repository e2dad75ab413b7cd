#pragma once

#include "services.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

namespace vorlan {

// One call to a fake service.
struct FakeCall {
    QString call;      // "service.method", e.g. "keyboard.loadKeyboardLayout"
    QVariantList args; // its arguments, in order
    QString focus;     // keyboard calls: objectName of the focus widget then
};

// The calls of all the fakes of one set, in the order they came.
class FakeCallLog {
public:
    void record(const QString &call, const QVariantList &args = {}, const QString &focus = {});
    const QList<FakeCall> &calls() const { return calls_; }
    // The calls whose name begins with prefix ("keyboard.", "voice.Speak").
    QList<FakeCall> calls(const QString &prefix) const;
    // One line per call: `keyboard.loadKeyboardLayout("00000429")`, strings
    // quoted, booleans as true/false; focus is left out.
    QStringList summary() const;
    void clear() { calls_.clear(); }

private:
    QList<FakeCall> calls_;
};

class FakeKeyboard final : public KeyboardService {
public:
    explicit FakeKeyboard(FakeCallLog &log) : log_(log) {}
    // Records the call and the focus widget; returns loadResult.
    bool loadKeyboardLayout(const QString &layoutId) override;
    // Records the call; activeLayout becomes empty, the user's own.
    void releaseLayout() override;
    // Records the call and the focus widget; the chord is handled at once
    // with sendResult, or, while holdChords, when the test calls
    // finishChord().
    void sendCtrlShift(std::function<void(bool sent)> done) override;
    // Handles the oldest held chord; false when none is held.
    bool finishChord();
    qsizetype heldChords() const { return held_.size(); }

    bool loadResult = true;
    bool sendResult = true;
    bool holdChords = false;
    // The last layout loaded with success; empty at first and after a release.
    QString activeLayout;

private:
    FakeCallLog &log_;
    QList<std::function<void(bool)>> held_;
};

class FakeClipboard final : public ClipboardService {
public:
    explicit FakeClipboard(FakeCallLog &log) : log_(log) {}
    // Records the read and answers at once: the text, "" while unreadable.
    // While held, the read waits for answer(), and a second one is refused.
    bool readText(QObject *context, TextHandler done) override;
    // Records the paste's read (`true` for PRIMARY, which holds the same
    // text) and answers it as readText does; while held, every one waits.
    void readForPaste(Selection selection, QObject *context, TextHandler done) override;

    void setText(const QString &text) { text_ = text; }
    void setUnreadable(bool unreadable) { unreadable_ = unreadable; }
    void setHeld(bool held) { held_ = held; }
    bool pending() const { return static_cast<bool>(pending_); }
    // Answers the waiting reads, the watcher's first, with what the
    // clipboard holds now.
    void answer();

private:
    FakeCallLog &log_;
    QString text_;
    bool unreadable_ = false;
    bool held_ = false;
    TextHandler pending_;
    QList<std::pair<QPointer<QObject>, TextHandler>> pastes_;
};

class FakeStacking final : public StackingService {
public:
    explicit FakeStacking(FakeCallLog &log) : log_(log) {}
    // Records (handle, topmost); returns result.
    bool setTopmost(qint64 windowHandle, bool topmost) override;

    bool result = true;

private:
    FakeCallLog &log_;
};

class FakeSpeech final : public SpeechService {
public:
    explicit FakeSpeech(FakeCallLog &log) : log_(log) {}
    // Records the call; a voice numbered from 0 in order of making, or
    // nullptr while !available. The voices record
    // `voice.Speak(number, text, flags)` and return true.
    std::unique_ptr<Voice> createVoice() override;

    bool available = true;
    int voicesCreated() const { return voices_; }

private:
    FakeCallLog &log_;
    int voices_ = 0;
};

class FakeMessageBox final : public MessageBoxService {
public:
    explicit FakeMessageBox(FakeCallLog &log) : log_(log) {}
    // Records (text, title, style); the box counts as answered at once.
    void messageBox(QWidget *parent, const QString &text, const QString &title, int style) override;

private:
    FakeCallLog &log_;
};

// A whole set of fakes sharing one call log.
class FakeDesktopServices final : public DesktopServices {
public:
    FakeDesktopServices();

    KeyboardService &keyboard() override { return keyboard_; }
    ClipboardService &clipboard() override { return clipboard_; }
    StackingService &stacking() override { return stacking_; }
    SpeechService &speech() override { return speech_; }
    MessageBoxService &messageBox() override { return messageBox_; }

    FakeCallLog &log() { return log_; }
    FakeKeyboard &fakeKeyboard() { return keyboard_; }
    FakeClipboard &fakeClipboard() { return clipboard_; }
    FakeStacking &fakeStacking() { return stacking_; }
    FakeSpeech &fakeSpeech() { return speech_; }
    FakeMessageBox &fakeMessageBox() { return messageBox_; }

private:
    FakeCallLog log_;
    FakeKeyboard keyboard_;
    FakeClipboard clipboard_;
    FakeStacking stacking_;
    FakeSpeech speech_;
    FakeMessageBox messageBox_;
};

} // namespace vorlan
