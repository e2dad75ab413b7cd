#pragma once

#include "services.h"

#include <QObject>

namespace vorlan {

// The clipboard's plain text through Qt, where we have no reader of our own
// (not X11). Reads from the event loop, as Qt does it there; empty when
// there is no QGuiApplication or no plain text.
class QtClipboardService final : public ClipboardService {
public:
    bool readText(QObject *context, TextHandler done) override;
    void readForPaste(Selection selection, QObject *context, TextHandler done) override;

private:
    bool busy_ = false;
    QObject guard_; // ends a pending read with the service
};

} // namespace vorlan
