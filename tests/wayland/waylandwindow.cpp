// A plain native Wayland client for the session tests: one window with a text
// box, titled by its first argument, printing the box's text on each change
// so that a test sees what the keyboard gave another program.
#include <QApplication>
#include <QLineEdit>

#include <cstdio>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    QLineEdit box;
    box.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("wayland"));
    box.resize(1200, 700);
    QObject::connect(&box, &QLineEdit::textChanged, [](const QString &text) {
        std::printf("text: %s\n", text.toUtf8().constData());
        std::fflush(stdout);
    });
    box.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return QApplication::exec();
}
