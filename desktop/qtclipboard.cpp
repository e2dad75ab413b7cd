#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vorlan {

QString QtClipboardService::text() {
    if (qGuiApp == nullptr) {
        return {};
    }
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return {};
    }
    return clipboard->text(QClipboard::Clipboard);
}

} // namespace vorlan
