#pragma once

#include "services.h"

namespace vorlan {

// The CLIPBOARD selection's plain text through Qt, on any platform.
class QtClipboardService final : public ClipboardService {
public:
    // Empty when there is no QGuiApplication, the clipboard holds no plain
    // text, or its owner does not answer.
    QString text() override;
};

} // namespace vorlan
