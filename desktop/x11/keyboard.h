#pragma once

#include "display.h"
#include "services.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vorlan::x11 {

// The XKB layout name of a layout identifier: "ir" for "00000429", "us" for
// "00000409", empty for any other.
QString xkbLayoutFor(const QString &layoutId);

// The server's keyboard configuration as _XKB_RULES_NAMES holds it: one
// layout (and variant) per XKB group.
struct KeyboardNames {
    QString rules;
    QString model;
    QStringList layouts;
    QStringList variants; // as many as layouts, empty where none
    QString options;
};

// The configuration with layout as a group of its own: unchanged when it is
// one already, else with layout appended (no variant). Nothing when all four
// XKB groups are taken.
std::optional<KeyboardNames> withLayout(const KeyboardNames &names, const QString &layout);

// Index of the group that holds layout, -1 when none does.
int groupOf(const KeyboardNames &names, const QString &layout);

class Keyboard final : public KeyboardService {
public:
    explicit Keyboard(std::shared_ptr<Connection> connection);

    // Locks the XKB group of the layout; when the server has no such group,
    // first reloads its keymap with the layout added after the user's own,
    // as `setxkbmap -layout us,ir` would. False when any step fails.
    bool loadKeyboardLayout(const QString &layoutId) override;
    // XTest presses of Control_L, Shift_L, then their releases; waits (at
    // most about 200 ms) for this application to handle the last release when
    // one of its windows has the focus. False without XTest.
    bool sendCtrlShift() override;

    // The server's configuration; nothing when _XKB_RULES_NAMES is missing.
    std::optional<KeyboardNames> names() const;
    // The locked group of the core keyboard, -1 when it cannot be read.
    int lockedGroup() const;

private:
    bool lockGroup(int group);
    bool loadNames(const KeyboardNames &names);

    std::shared_ptr<Connection> connection_;
};

} // namespace vorlan::x11
