#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

namespace vorlan {

bool QtClipboardService::readText(QObject *context, TextHandler done) {
    if (busy_) {
        return false;
    }
    busy_ = true;
    QTimer::singleShot(0, &guard_,
                       [this, context = QPointer<QObject>(context), done = std::move(done)] {
                           busy_ = false;
                           if (!context) {
                               return;
                           }
                           QString text;
                           if (qGuiApp != nullptr) {
                               if (QClipboard *clipboard = QGuiApplication::clipboard()) {
                                   text = clipboard->text(QClipboard::Clipboard);
                               }
                           }
                           done(text);
                       });
    return true;
}

} // namespace vorlan
