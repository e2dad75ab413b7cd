#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

namespace vorlan {

namespace {

QString clipboardText(QClipboard::Mode mode) {
    QClipboard *clipboard = qGuiApp != nullptr ? QGuiApplication::clipboard() : nullptr;
    return clipboard != nullptr ? clipboard->text(mode) : QString();
}

} // namespace

bool QtClipboardService::readText(QObject *context, TextHandler done) {
    if (busy_) {
        return false;
    }
    busy_ = true;
    QTimer::singleShot(0, &guard_,
                       [this, context = QPointer<QObject>(context), done = std::move(done)] {
                           busy_ = false;
                           if (context) {
                               done(clipboardText(QClipboard::Clipboard));
                           }
                       });
    return true;
}

void QtClipboardService::readForPaste(Selection selection, QObject *context, TextHandler done) {
    const QClipboard::Mode mode =
        selection == Selection::Primary ? QClipboard::Selection : QClipboard::Clipboard;
    QTimer::singleShot(0, &guard_,
                       [mode, context = QPointer<QObject>(context), done = std::move(done)] {
                           if (context) {
                               done(clipboardText(mode));
                           }
                       });
}

} // namespace vorlan
