// Presses keys through KWin's fake-input protocol, as the keyboard would: the
// compositor applies its own layout and sends them to the window it focuses.
//
//   vorlan-kwin-keys CODE...
//
// CODE is a Linux evdev key code, pressed and released ("35" is H); "+42"
// only presses and "-42" only releases (42 is the left Shift). Exits 0 once
// KWin has taken every event, 1 when it offers no fake input.
#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
    static const wl_registry_listener listener = {
        [](void *found, wl_registry *registry, uint32_t name, const char *interface,
           uint32_t version) {
            if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
                version >= 4) {
                *static_cast<void **>(found) =
                    wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
            }
        },
        [](void *, wl_registry *, uint32_t) {}};
    void *found = nullptr;
    wl_display *display = wl_display_connect(nullptr);
    if (display != nullptr) {
        wl_registry_add_listener(wl_display_get_registry(display), &listener, &found);
        wl_display_roundtrip(display);
    }
    auto *fakeInput = static_cast<org_kde_kwin_fake_input *>(found);
    if (fakeInput == nullptr) {
        std::fprintf(stderr, "vorlan-kwin-keys: no Wayland display with fake input v4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "vorlan tests", "typing into the window");
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        const bool pressOnly = arg[0] == '+';
        const bool releaseOnly = arg[0] == '-';
        const auto code =
            static_cast<uint32_t>(std::strtoul(arg + (pressOnly || releaseOnly), nullptr, 10));
        if (!releaseOnly) {
            org_kde_kwin_fake_input_keyboard_key(fakeInput, code, WL_KEYBOARD_KEY_STATE_PRESSED);
        }
        if (!pressOnly) {
            org_kde_kwin_fake_input_keyboard_key(fakeInput, code, WL_KEYBOARD_KEY_STATE_RELEASED);
        }
        // One key at a time, as typed; each taken before the next.
        wl_display_roundtrip(display);
    }
    wl_display_disconnect(display);
    return 0;
}
