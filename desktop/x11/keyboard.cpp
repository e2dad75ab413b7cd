#include "keyboard.h"

#include "chordwait.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBrules.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlan::x11 {

namespace {

// XKB has four groups; a layout beyond them cannot be added.
constexpr int MaxGroups = XkbNumKbdGroups;

// How long sendCtrlShift follows the chord back to us. It normally comes
// within milliseconds; the bound allows for a loaded machine, and the event
// loop keeps running meanwhile.
constexpr int ChordWaitMs = 500;

// Qt may call a new window active a moment before the server moves the input
// focus to it; keys sent in between go to the old focus and are lost.
constexpr int FocusWaitMs = 500;

QStringList splitList(const char *text) {
    if (text == nullptr || *text == '\0') {
        return {};
    }
    QStringList parts = QString::fromLatin1(text).split(u',');
    for (QString &part : parts) {
        part = part.trimmed();
    }
    return parts;
}

// The group's layout without its variant, "ir" of "ir(pes_keypad)".
QString layoutName(const QString &entry) {
    const qsizetype paren = entry.indexOf(u'(');
    return (paren < 0 ? entry : entry.left(paren)).trimmed();
}

// The names we hand to the rules and the server: what xkb-data's names are
// made of. Anything else in the server's description means someone else's
// doing, and no layout is added on top of it.
bool isSaneNameList(const QString &text) {
    return text.size() <= 512 && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                      (c >= u'0' && c <= u'9') || QStringView(u"_-+:,.()").contains(c);
           });
}

// Variants padded with empty ones to one per layout.
QStringList paddedVariants(const KeyboardNames &names) {
    QStringList variants = names.variants;
    while (variants.size() < names.layouts.size()) {
        variants.append(QString());
    }
    return variants;
}

char *dup(const QString &text) {
    return text.isEmpty() ? nullptr : strdup(text.toLatin1());
}

struct VarDefs {
    XkbRF_VarDefsRec defs{};
    char *rulesFile = nullptr;
    ~VarDefs() {
        std::free(defs.model);
        std::free(defs.layout);
        std::free(defs.variant);
        std::free(defs.options);
        std::free(rulesFile);
    }
};

struct ComponentNames {
    XkbComponentNamesRec names{};
    ~ComponentNames() {
        std::free(names.keymap);
        std::free(names.keycodes);
        std::free(names.types);
        std::free(names.compat);
        std::free(names.symbols);
        std::free(names.geometry);
    }
};

// Whether the server's input focus is on the window or inside it. A window
// that is gone meanwhile only makes the answer no.
bool focusIsIn(Display *display, Window window) {
    ErrorTrap trap(display);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // PointerRoot and None are not windows; keys then reach no box of ours
    // in particular.
    while (focus != 0 && focus != PointerRoot) {
        if (focus == window) {
            return true;
        }
        Window root = 0;
        Window parent = 0;
        Window *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, focus, &root, &parent, &children, &count) == 0) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (focus == root) {
            return false;
        }
        focus = parent;
    }
    return false;
}

} // namespace

bool isPlainRulesName(const QString &name) {
    return !name.isEmpty() && name.size() <= 64 &&
           std::all_of(name.cbegin(), name.cend(), [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                      (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
           });
}

std::optional<QByteArray> readRulesFile(const QByteArray &folder, const QString &name) {
    if (!isPlainRulesName(name)) {
        return std::nullopt;
    }
    const QByteArray path = folder + '/' + name.toLatin1();
    // Non-blocking: opening a FIFO then returns at once, and fstat turns it
    // away with devices and folders before a byte is read.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    QByteArray text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        info.st_size <= MaxRulesFileSize) {
        // One byte more than allowed tells a file that grew meanwhile.
        text.resize(MaxRulesFileSize + 1);
        qsizetype total = 0;
        ssize_t got = 0;
        while (total < text.size() &&
               (got = ::read(fd, text.data() + total, size_t(text.size() - total))) > 0) {
            total += got;
        }
        text.resize(got < 0 || total > MaxRulesFileSize ? 0 : total);
    }
    ::close(fd);
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text;
}

bool sameNames(const KeyboardNames &a, const KeyboardNames &b) {
    return a.rules == b.rules && a.model == b.model && a.layouts == b.layouts &&
           paddedVariants(a) == paddedVariants(b) && a.options == b.options;
}

QString xkbLayoutFor(const QString &layoutId) {
    if (layoutId == u"00000429") {
        return QStringLiteral("ir");
    }
    if (layoutId == u"00000409") {
        return QStringLiteral("us");
    }
    return {};
}

int groupOf(const KeyboardNames &names, const QString &layout) {
    for (int i = 0; i < names.layouts.size() && i < MaxGroups; ++i) {
        if (layoutName(names.layouts.at(i)) == layout) {
            return i;
        }
    }
    return -1;
}

std::optional<KeyboardNames> withLayout(const KeyboardNames &names, const QString &layout) {
    if (groupOf(names, layout) >= 0) {
        return names;
    }
    if (names.layouts.size() >= MaxGroups) {
        return std::nullopt;
    }
    KeyboardNames result = names;
    while (result.variants.size() < result.layouts.size()) {
        result.variants.append(QString());
    }
    result.variants.resize(result.layouts.size());
    result.layouts.append(layout);
    result.variants.append(QString());
    return result;
}

Keyboard::Keyboard(std::shared_ptr<Connection> connection) : connection_(std::move(connection)) {}

Keyboard::~Keyboard() {
    flight_.reset();
    if (!connection_ || !connection_->hasXkb()) {
        return;
    }
    const int group = userGroup_.value_or(lockedGroup());
    releaseLayout();
    removeAddedLayout();
    // A keymap loaded anew may start from another group.
    if (group >= 0 && lockedGroup() != group) {
        lockGroup(group);
    }
    connection_->discardEvents();
}

std::optional<KeyboardNames> Keyboard::names() const {
    if (!connection_ || !connection_->hasXkb()) {
        return std::nullopt;
    }
    VarDefs vars;
    if (!XkbRF_GetNamesProp(connection_->display(), &vars.rulesFile, &vars.defs) ||
        vars.rulesFile == nullptr) {
        return std::nullopt;
    }
    KeyboardNames names;
    names.rules = QString::fromLatin1(vars.rulesFile);
    names.model = QString::fromLatin1(vars.defs.model);
    names.layouts = splitList(vars.defs.layout);
    names.variants = splitList(vars.defs.variant);
    names.options = QString::fromLatin1(vars.defs.options);
    if (names.layouts.isEmpty()) {
        // An X server started without a layout uses the rules' default.
        names.layouts.append(QStringLiteral("us"));
    }
    return names;
}

int Keyboard::lockedGroup() const {
    if (!connection_ || !connection_->hasXkb()) {
        return -1;
    }
    XkbStateRec state{};
    if (XkbGetState(connection_->display(), XkbUseCoreKbd, &state) != Success) {
        return -1;
    }
    return state.locked_group;
}

bool Keyboard::lockGroup(int group) {
    Display *display = connection_->display();
    ErrorTrap trap(display);
    const bool sent = XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group)) == True;
    return sent && !trap.failed();
}

bool Keyboard::loadNames(const KeyboardNames &names) {
    Display *display = connection_->display();
    const bool sane = isSaneNameList(names.model) && isSaneNameList(names.layouts.join(u',')) &&
                      isSaneNameList(names.variants.join(u',')) && isSaneNameList(names.options);
    // The rules name comes from the server: only a file of the system's rules
    // folder is read, and by us, so that libxkbfile never opens a path
    // another client chose.
    std::optional<QByteArray> text = sane ? readRulesFile(RulesFolder, names.rules) : std::nullopt;
    if (!text) {
        return false;
    }
    XkbRF_RulesPtr rules = XkbRF_Create(0, 0);
    FILE *file = rules != nullptr ? fmemopen(text->data(), size_t(text->size()), "r") : nullptr;
    const bool parsed = file != nullptr && XkbRF_LoadRules(file, rules) == True;
    if (file != nullptr) {
        std::fclose(file);
    }
    if (!parsed) {
        if (rules != nullptr) {
            XkbRF_Free(rules, True);
        }
        return false;
    }
    VarDefs vars;
    vars.rulesFile = strdup(names.rules.toLatin1());
    vars.defs.model = dup(names.model);
    vars.defs.layout = dup(names.layouts.join(u','));
    const bool anyVariant = std::any_of(names.variants.cbegin(), names.variants.cend(),
                                        [](const QString &variant) { return !variant.isEmpty(); });
    vars.defs.variant = anyVariant ? dup(names.variants.join(u',')) : nullptr;
    vars.defs.options = dup(names.options);

    ComponentNames components;
    const bool resolved = XkbRF_GetComponents(rules, &vars.defs, &components.names) == True;
    XkbRF_Free(rules, True);
    if (!resolved) {
        return false;
    }
    ErrorTrap trap(display);
    XkbDescPtr keymap =
        XkbGetKeyboardByName(display, XkbUseCoreKbd, &components.names, XkbGBN_AllComponentsMask,
                             XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, True);
    if (keymap == nullptr) {
        return false;
    }
    XkbFreeKeyboard(keymap, XkbAllComponentsMask, True);
    // Keep the server's description true, so that the next look-up (ours or
    // setxkbmap's) sees the layout we added.
    XkbRF_SetNamesProp(display, vars.rulesFile, &vars.defs);
    return !trap.failed();
}

bool Keyboard::loadKeyboardLayout(const QString &layoutId) {
    const QString layout = xkbLayoutFor(layoutId);
    if (layout.isEmpty() || !connection_ || !connection_->hasXkb()) {
        return false;
    }
    const std::optional<KeyboardNames> current = names();
    if (!current) {
        return false;
    }
    if (ourNames_ && !sameNames(*current, *ourNames_)) {
        // Someone set another configuration since we added our layout: it
        // is theirs now, and we take nothing out of it at the end.
        ourNames_.reset();
        userNames_.reset();
    }
    if (!userGroup_) {
        const int group = lockedGroup();
        if (group < 0) {
            // What to give back cannot be told: the keyboard stays the user's.
            return false;
        }
        userGroup_ = group;
    }
    bool ok = false;
    int group = groupOf(*current, layout);
    if (group < 0) {
        const std::optional<KeyboardNames> extended = withLayout(*current, layout);
        if (extended && loadNames(*extended)) {
            group = groupOf(*extended, layout);
            if (!ourNames_) {
                userNames_ = *current;
            }
            ourNames_ = *extended;
        }
    }
    if (group >= 0) {
        ok = lockGroup(group);
    }
    connection_->discardEvents();
    return ok;
}

void Keyboard::releaseLayout() {
    const std::optional<int> group = std::exchange(userGroup_, std::nullopt);
    if (!group || !connection_ || !connection_->hasXkb()) {
        return;
    }
    if (lockedGroup() != *group) {
        lockGroup(*group);
    }
    connection_->discardEvents();
}

void Keyboard::removeAddedLayout() {
    if (!ourNames_ || !userNames_) {
        return;
    }
    const std::optional<KeyboardNames> current = names();
    if (current && sameNames(*current, *ourNames_)) {
        loadNames(*userNames_);
    }
    ourNames_.reset();
    userNames_.reset();
}

void Keyboard::sendCtrlShift(std::function<void(bool sent)> done) {
    // The chord goes to whichever window has the X focus: only to one of ours.
    QWindow *focus = qGuiApp != nullptr ? QGuiApplication::focusWindow() : nullptr;
    if (!connection_ || !connection_->hasXTest() || flight_ || focus == nullptr) {
        done(false);
        return;
    }
    Display *display = connection_->display();
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    if (control == 0 || shift == 0) {
        done(false);
        return;
    }
    const Window target = focus->winId();
    const auto send = [this, control, shift] {
        Display *display = connection_->display();
        bool ok = true;
        {
            ErrorTrap trap(display);
            ok = XTestFakeKeyEvent(display, control, True, CurrentTime) &&
                 XTestFakeKeyEvent(display, shift, True, CurrentTime) &&
                 XTestFakeKeyEvent(display, shift, False, CurrentTime) &&
                 XTestFakeKeyEvent(display, control, False, CurrentTime);
            ok = !trap.failed() && ok;
        }
        connection_->discardEvents();
        return ok;
    };
    flight_ = std::make_unique<ChordFlight>(
        [this, target] { return focusIsIn(connection_->display(), target); }, send,
        [this, done = std::move(done)](bool sent) {
            // The flight ends inside its own call: it goes once that returns.
            const std::function<void(bool)> report = done;
            flight_.release()->deleteLater();
            report(sent);
        },
        FocusWaitMs, ChordWaitMs);
}

} // namespace vorlan::x11
