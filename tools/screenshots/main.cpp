// Takes the README's pictures of both panes over the built-in word lists.
// Run it on an X server with a window manager (scripts/with-x11.sh):
//   vorlan-screenshots <output folder>
#include "frmdic.h"
#include "services.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

namespace {

bool grab(QWidget &window, const QString &path) {
    QTest::qWait(400); // let the window manager draw the frame
    const QRect frame = window.frameGeometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    return shot.save(path);
}

void type(QWidget *box, const QString &text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const auto services = vorlan::createPlatformServices();
    vorlan::frmDic window(*services);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    QTest::qWait(800);
    auto *english = window.findChild<QLineEdit *>(QStringLiteral("txtEnSearch"));
    type(english, QStringLiteral("book"));
    bool ok = grab(window, out.filePath(QStringLiteral("pane-english.png")));
    window.cmdLan_Click();
    type(window.findChild<QLineEdit *>(QStringLiteral("txtFaSearch")),
         QStringLiteral(u"\u0622\u0628"));
    ok = grab(window, out.filePath(QStringLiteral("pane-persian.png"))) && ok;
    return ok ? 0 : 1;
}
