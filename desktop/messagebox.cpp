#include "messagebox.h"

#include "aboutbox.h"

#include <QLabel>
#include <QMessageBox>

namespace vorlan {

namespace {
constexpr int IDOK = 1;
} // namespace

int QtMessageBoxService::messageBox(QWidget *parent, const QString &text, const QString &title,
                                    int style) {
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    // Qt breaks lines at LF alone; a CR left in would show as a box.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    if ((style & MB_RTLREADING) != 0) {
        box.setLayoutDirection(Qt::RightToLeft);
    }
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        // Absolute: MB_RIGHT means the right edge whatever the reading order,
        // and without it the text stays left, as reading order alone does not
        // move it.
        const Qt::Alignment side = (style & MB_RIGHT) != 0 ? Qt::AlignRight : Qt::AlignLeft;
        label->setAlignment(side | Qt::AlignAbsolute | Qt::AlignVCenter);
    }
    box.exec();
    return IDOK;
}

} // namespace vorlan
