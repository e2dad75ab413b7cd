#pragma once

#include "services.h"

#include <QPointer>

class QMessageBox;

namespace vorlan {

// A real QMessageBox on every platform.
class QtMessageBoxService final : public MessageBoxService {
public:
    // An application-modal box with the one OK button and no icon, deleted
    // once closed; MB_RTLREADING lays it out right to left, MB_RIGHT aligns
    // its text right. Other style bits (other buttons, icons) are not used by
    // the program and are ignored.
    void messageBox(QWidget *parent, const QString &text, const QString &title, int style) override;

private:
    QPointer<QMessageBox> open_;
};

} // namespace vorlan
