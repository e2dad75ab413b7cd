#pragma once

#include "display.h"
#include "services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vorlan::x11 {

class ChordFlight;

// Where Debian's xkb-data keeps the rules that name a keymap's components.
inline constexpr const char *RulesFolder = "/usr/share/X11/xkb/rules";
// Far more than any rules file (evdev is about 45 KB).
inline constexpr qint64 MaxRulesFileSize = 1 << 20;

// Whether a rules name read from the server (_XKB_RULES_NAMES, which any
// client may set) is a plain name: 1 to 64 letters, digits, "_" or "-", so
// never a path.
bool isPlainRulesName(const QString &name);

// The text of the rules file `name` in `folder`: only for a plain name, only
// from a regular file (a link to one will do) of 1 byte to MaxRulesFileSize.
// Never blocks on a FIFO or a device. Nothing for anything else.
std::optional<QByteArray> readRulesFile(const QByteArray &folder, const QString &name);

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

// Whether two configurations are the same, variants compared as if padded.
bool sameNames(const KeyboardNames &a, const KeyboardNames &b);

// The configuration with layout as a group of its own: unchanged when it is
// one already, else with layout appended (no variant). Nothing when all four
// XKB groups are taken.
std::optional<KeyboardNames> withLayout(const KeyboardNames &names, const QString &layout);

// Index of the group that holds layout, -1 when none does.
int groupOf(const KeyboardNames &names, const QString &layout);

class Keyboard final : public KeyboardService {
public:
    explicit Keyboard(std::shared_ptr<Connection> connection);
    // As at the end of a run: the user's group comes back, and a layout we
    // added is removed again, unless someone changed the configuration since.
    ~Keyboard() override;
    Keyboard(const Keyboard &) = delete;
    Keyboard &operator=(const Keyboard &) = delete;

    // Locks the XKB group of the layout; when the server has no such group,
    // first reloads its keymap with the layout added after the user's own,
    // as `setxkbmap -layout us,ir` would. False when any step fails, and
    // when the server's rules name is not one of the system's rules files.
    // The first call after releaseLayout() notes the group locked then, and
    // changes nothing when it cannot be read.
    bool loadKeyboardLayout(const QString &layoutId) override;
    // Locks the noted group again.
    void releaseLayout() override;
    // XTest presses of Control_L, Shift_L, then their releases, once the X
    // input focus is in the window Qt has focused (at most about 500 ms);
    // `done` once this application has handled the last release (at most
    // about 500 ms). Nothing is sent while no window of ours has the focus,
    // nor without XTest; one chord at a time.
    void sendCtrlShift(std::function<void(bool sent)> done) override;

    // The server's configuration; nothing when _XKB_RULES_NAMES is missing.
    std::optional<KeyboardNames> names() const;
    // The locked group of the core keyboard, -1 when it cannot be read.
    int lockedGroup() const;

private:
    bool lockGroup(int group);
    bool loadNames(const KeyboardNames &names);
    void removeAddedLayout();

    std::shared_ptr<Connection> connection_;
    std::unique_ptr<ChordFlight> flight_;
    // The group locked when we took the keyboard; nothing while we hold none.
    std::optional<int> userGroup_;
    // The configuration before we added a layout, and with it.
    std::optional<KeyboardNames> userNames_;
    std::optional<KeyboardNames> ourNames_;
};

} // namespace vorlan::x11
