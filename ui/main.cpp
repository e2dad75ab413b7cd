#include "displayprobe.h"
#include "errors.h"
#include "frmdic.h"
#include "quitsignals.h"
#include "services.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

// Off unless asked for, e.g. QT_LOGGING_RULES="vorlan.startup.info=true".
Q_LOGGING_CATEGORY(lcStartup, "vorlan.startup", QtWarningMsg)

// Says when the window is first on screen, for scripts that start the program.
class FirstExposure : public QObject {
public:
    explicit FirstExposure(QWidget &window) : window_(window) {}
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            qCInfo(lcStartup, "window up: %s", qUtf8Printable(window_.windowTitle()));
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    QWidget &window_;
};

QtMessageHandler qtHandler = nullptr;

// Started from su or SSH there is no XDG_RUNTIME_DIR; Qt falls back to a
// folder of its own, and its warning on every start tells the user nothing.
void withoutRuntimeDirWarning(QtMsgType type, const QMessageLogContext &context,
                              const QString &message) {
    if (type == QtWarningMsg && message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set")) {
        return;
    }
    qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[]) {
    // Before anything that may wait on the outside: a display may never answer.
    vorlan::quitAtOnceOnSignals();
    qtHandler = qInstallMessageHandler(&withoutRuntimeDirWarning);
    // On a Wayland session, through XWayland where it answers: the pin and
    // the keyboard layout need X11. Without a display, one line instead of
    // Qt's abort.
    if (const QString missing = vorlan::settlePlatform(); !missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(missing));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlan"));
    QApplication::setApplicationVersion(QStringLiteral(VORLAN_VERSION));
    // Ties the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORLAN_APP_ID));
    // A session ending or `kill` closes the program as its window would.
    const vorlan::QuitOnSignals quitOnSignals;

    const std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    std::unique_ptr<vorlan::frmDic> window;
    try {
        window = std::make_unique<vorlan::frmDic>(*services);
    } catch (const vorlan::DicError &error) {
        // The program cannot work without its word lists: say why and stop.
        std::fprintf(stderr, "vorlan: %s\n", error.what());
        QMessageBox::critical(nullptr, QStringLiteral("Vorlan"),
                              QStringLiteral("The word lists could not be loaded:\n%1")
                                  .arg(QString::fromLocal8Bit(error.what())));
        return 1;
    }
    FirstExposure exposure(*window);
    window->winId(); // makes the native window, to be watched before it is shown
    window->windowHandle()->installEventFilter(&exposure);
    window->show();
    const int status = QApplication::exec();
    qCInfo(lcStartup, "event loop ended with %d", status);
    return status;
}
