#pragma once

#include "services.h"

namespace vorlan {

// A real QMessageBox on every platform.
class QtMessageBoxService final : public MessageBoxService {
public:
    // A modal box with the one OK button and no icon; MB_RTLREADING lays it
    // out right to left, MB_RIGHT aligns its text right. Other style bits
    // (other buttons, icons) are not used by the program and are ignored.
    // Returns IDOK (1).
    int messageBox(QWidget *parent, const QString &text, const QString &title, int style) override;
};

} // namespace vorlan
