#include "messagebox.h"

#include "aboutbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>

namespace vorlan {

namespace {
constexpr int TabColumns = 8;

// RIGHT-TO-LEFT MARK: a line that begins with it reads right to left.
constexpr char16_t RightToLeftMark = 0x200F;

// What the label shows. Qt breaks lines at LF alone (a CR left in shows as a
// box) and draws a tab as nothing, so tabs become spaces up to the next stop
// of eight columns, as the desktop's own box expands them. Qt also reads each
// line in the direction of its first letter; right-to-left reading puts a mark
// before every line, so that lines of Latin letters, digits or signs read
// right to left too and their indent stands at the right.
QString displayText(const QString &text, bool rightToLeft) {
    QString shown;
    shown.reserve(text.size() + 16);
    qsizetype column = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (rightToLeft && column == 0 && (shown.isEmpty() || shown.back() == u'\n')) {
            shown += QChar(RightToLeftMark);
        }
        if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            continue;
        }
        if (ch == u'\t') {
            const qsizetype spaces = TabColumns - column % TabColumns;
            shown += QString(spaces, u' ');
            column += spaces;
            continue;
        }
        shown += ch;
        column = ch == u'\n' ? 0 : column + 1;
    }
    return shown;
}

// The width a box needs for the window manager to show its whole title. The
// title bar's font and buttons are the window manager's and cannot be
// known, so this is a generous estimate from the application's font: the
// title in bold with a quarter more for a wider face, and five squares of a
// title bar's height for the icon, the buttons and the spaces between.
int widthForTitle(const QString &title) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int titleBar = metrics.height() + 8;
    return metrics.horizontalAdvance(title) * 5 / 4 + 5 * titleBar;
}
} // namespace

void QtMessageBoxService::messageBox(QWidget *parent, const QString &text, const QString &title,
                                     int style) {
    // The modal box takes the user's input; this is for a call from the
    // program while it is open, which must not stack a second box.
    if (open_ && open_->isVisible()) {
        open_->raise();
        open_->activateWindow();
        return;
    }
    // Shown, not run: exec() would run a nested event loop inside the
    // caller's handler, where clipboard ticks and queued calls would find it
    // half done.
    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->setIcon(QMessageBox::NoIcon);
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    box->setText(displayText(text, (style & MB_RTLREADING) != 0));
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    if ((style & MB_RTLREADING) != 0) {
        box->setLayoutDirection(Qt::RightToLeft);
    }
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        // Absolute: MB_RIGHT means the right edge whatever the reading order,
        // and without it the text stays left, as reading order alone does not
        // move it.
        const Qt::Alignment side = (style & MB_RIGHT) != 0 ? Qt::AlignRight : Qt::AlignLeft;
        label->setAlignment(side | Qt::AlignAbsolute | Qt::AlignVCenter);
    }
    // A message box is as wide as its text; a short text gives a box whose
    // title the window manager cuts.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout())) {
        grid->addItem(new QSpacerItem(widthForTitle(title), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    open_ = box;
    // show(), not open(): open() would make the box modal to its parent alone.
    box->show();
}

} // namespace vorlan
