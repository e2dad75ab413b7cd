#pragma once

#include "fakes.h"
#include "fixtures.h"
#include "frmdic.h"
#include "services.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace vorlan::testing {

// Types text into a widget as a keyboard would: each character a key press
// with its text, so that non-Latin text arrives as typed Persian does.
void typeText(QWidget *widget, const QString &text);

// The rows a result list box shows, top to bottom.
QStringList rowsOf(QWidget *list);
// The text of the selected row, or "" when none is selected.
QString selectedRowOf(QWidget *list);

// Point inside the first occurrence of `word` in a meaning box's viewport.
QPoint pointOfWord(QWidget *meaningBox, const QString &word);

// A shown window over the given lists, with fake desktop services.
class WindowHarness {
public:
    explicit WindowHarness(const FixtureLists &lists = smallDictionary(),
                           DesktopServices *services = nullptr);
    ~WindowHarness();

    frmDic &window() { return *window_; }
    FakeDesktopServices &fakes() { return fakes_; }
    template <typename T> T *find(const char *name) const {
        return window_->findChild<T *>(QString::fromLatin1(name));
    }
    QWidget *widget(const char *name) const { return find<QWidget>(name); }
    bool englishShown() const;
    // Shows the English or the Persian pane by the toggle, if not shown.
    void showPane(bool english);

private:
    MemoryResourceProvider provider_;
    FakeDesktopServices fakes_;
    std::unique_ptr<frmDic> window_;
};

// The window over the platform's real desktop services, which outlive it.
struct PlatformServices {
    std::unique_ptr<DesktopServices> services = createPlatformServices();
};
struct RealWindow : PlatformServices, WindowHarness {
    RealWindow() : WindowHarness(smallDictionary(), services.get()) {}
};

} // namespace vorlan::testing
