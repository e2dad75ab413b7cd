#include "fakes.h"

#include <QApplication>
#include <QWidget>

namespace vorlan {

namespace {

QString focusName() {
    const QWidget *focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString();
}

QString describe(const QVariant &value) {
    if (value.typeId() == QMetaType::QString) {
        return u'"' + value.toString() + u'"';
    }
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return value.toString();
}

class FakeVoice final : public Voice {
public:
    FakeVoice(FakeCallLog &log, int number) : log_(log), number_(number) {}
    bool Speak(const QString &text, int flags) override {
        log_.record(QStringLiteral("voice.Speak"), {number_, text, flags});
        return true;
    }

private:
    FakeCallLog &log_;
    int number_;
};

} // namespace

void FakeCallLog::record(const QString &call, const QVariantList &args, const QString &focus) {
    calls_.append(FakeCall{call, args, focus});
}

QList<FakeCall> FakeCallLog::calls(const QString &prefix) const {
    QList<FakeCall> matching;
    for (const FakeCall &c : calls_) {
        if (c.call.startsWith(prefix)) {
            matching.append(c);
        }
    }
    return matching;
}

QStringList FakeCallLog::summary() const {
    QStringList lines;
    for (const FakeCall &c : calls_) {
        QStringList args;
        for (const QVariant &arg : c.args) {
            args.append(describe(arg));
        }
        lines.append(c.call + u'(' + args.join(QStringLiteral(", ")) + u')');
    }
    return lines;
}

bool FakeKeyboard::loadKeyboardLayout(const QString &layoutId) {
    log_.record(QStringLiteral("keyboard.loadKeyboardLayout"), {layoutId}, focusName());
    if (loadResult) {
        activeLayout = layoutId;
    }
    return loadResult;
}

void FakeKeyboard::releaseLayout() {
    log_.record(QStringLiteral("keyboard.releaseLayout"), {}, focusName());
    activeLayout.clear();
}

void FakeKeyboard::sendCtrlShift(std::function<void(bool sent)> done) {
    log_.record(QStringLiteral("keyboard.sendCtrlShift"), {}, focusName());
    if (holdChords) {
        held_.append(std::move(done));
    } else {
        done(sendResult);
    }
}

bool FakeKeyboard::finishChord() {
    if (held_.isEmpty()) {
        return false;
    }
    held_.takeFirst()(sendResult);
    return true;
}

bool FakeClipboard::readText(QObject *, TextHandler done) {
    if (pending_) {
        log_.record(QStringLiteral("clipboard.readText"), {false});
        return false;
    }
    log_.record(QStringLiteral("clipboard.readText"), {true});
    pending_ = std::move(done);
    if (!held_) {
        answer();
    }
    return true;
}

void FakeClipboard::readForPaste(Selection selection, QObject *context, TextHandler done) {
    log_.record(QStringLiteral("clipboard.readForPaste"), {selection == Selection::Primary});
    pastes_.append({context, std::move(done)});
    if (!held_) {
        answer();
    }
}

void FakeClipboard::answer() {
    const QString text = unreadable_ ? QString() : text_;
    if (TextHandler done = std::exchange(pending_, nullptr)) {
        done(text);
    }
    for (const auto &[context, done] : std::exchange(pastes_, {})) {
        if (context) {
            done(text);
        }
    }
}

bool FakeStacking::setTopmost(qint64 windowHandle, bool topmost) {
    log_.record(QStringLiteral("stacking.setTopmost"), {windowHandle, topmost});
    return result;
}

std::unique_ptr<Voice> FakeSpeech::createVoice() {
    log_.record(QStringLiteral("speech.createVoice"));
    if (!available) {
        return nullptr;
    }
    return std::make_unique<FakeVoice>(log_, voices_++);
}

void FakeMessageBox::messageBox(QWidget *, const QString &text, const QString &title, int style) {
    log_.record(QStringLiteral("messageBox.messageBox"), {text, title, style});
}

FakeDesktopServices::FakeDesktopServices()
    : keyboard_(log_), clipboard_(log_), stacking_(log_), speech_(log_), messageBox_(log_) {}

} // namespace vorlan
