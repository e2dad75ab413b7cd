#pragma once

#include "wayland/sessionkeyboard.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>

namespace vorlan::gnome {

// Where the shell extension shipped with the program answers (GNOME Shell
// has no interface of its own for this). Off until the user enables it.
inline const QString ExtensionService = QStringLiteral("example.vorlan.InputSources");
inline const QString ExtensionPath = QStringLiteral("/example/vorlan/InputSources");
inline const QString ExtensionInterface = QStringLiteral("example.vorlan.InputSources");

// The input sources of a GNOME Shell session, through that extension's
// methods Current() -> (s id) and Activate(s id) -> (b activated, s previous).
class GnomeInputSources final : public QObject, public LayoutSwitcher {
public:
    explicit GnomeInputSources(QDBusConnection bus = QDBusConnection::sessionBus());

    void current(Current done) override;
    void activate(const QString &layout, Done done) override;
    void activateNow(const QString &layout) override;
    bool mayHave(const QString &layout) const override {
        return !silent_ && !lacking_.contains(layout);
    }

private:
    QDBusConnection bus_;
    QSet<QString> lacking_;
    bool silent_ = false; // the last call failed or went unanswered
};

} // namespace vorlan::gnome
