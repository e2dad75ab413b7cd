#include "errors.h"
#include "frmdic.h"
#include "services.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlan"));
    QApplication::setApplicationVersion(QStringLiteral(VORLAN_VERSION));

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
    window->show();
    return QApplication::exec();
}
