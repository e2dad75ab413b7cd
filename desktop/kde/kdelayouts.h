#pragma once

#include "wayland/sessionkeyboard.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QStringList>

namespace vorlan::kde {

// The layouts of a Plasma session, as its org.kde.keyboard service offers
// them: only those the user configured are ever chosen; none is added.
class KdeLayouts final : public QObject, public LayoutSwitcher {
public:
    explicit KdeLayouts(QDBusConnection bus = QDBusConnection::sessionBus());

    // Each reads the user's list first, then the current layout or sets the
    // wanted one: two calls, each bounded. At the end of the run only the
    // second is made, by the list as last read.
    void current(Current done) override;
    void activate(const QString &layout, Done done) override;
    void activateNow(const QString &layout) override;
    bool mayHave(const QString &layout) const override {
        return !silent_ && !lacking_.contains(layout);
    }

private:
    QDBusMessage call(const QString &method, const QVariantList &arguments = {}) const;
    // Keeps the names of a well-formed getLayoutsList reply; false for any other.
    bool readNames(const QDBusMessage &reply);

    QDBusConnection bus_;
    QStringList names_; // the user's layouts as last read
    QSet<QString> lacking_;
    bool silent_ = false; // the last call failed or went unanswered
};

} // namespace vorlan::kde
