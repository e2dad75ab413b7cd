#include "pastelineedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

namespace vorlan {

namespace {

using Selection = ClipboardService::Selection;

// Where a middle click pastes the selection (X11, and Wayland with it).
bool selectionPastes() {
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard != nullptr && clipboard->supportsSelection();
}

QString shortcutText(QKeySequence::StandardKey key) {
    const QKeySequence sequence(key);
    if (sequence.isEmpty() ||
        QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus)) {
        return {};
    }
    return u'\t' + sequence.toString(QKeySequence::NativeText);
}

} // namespace

PasteLineEdit::PasteLineEdit(ClipboardService &clipboard, QWidget *parent)
    : QLineEdit(parent), clipboard_(clipboard) {}

void PasteLineEdit::pasteFrom(Selection selection) {
    Asked asked{text(), hasSelectedText() ? selectionStart() : cursorPosition(), selectionLength()};
    clipboard_.readForPaste(selection, this, [this, asked = std::move(asked)](const QString &text) {
        insertPasted(asked, text);
    });
}

void PasteLineEdit::insertPasted(const Asked &asked, const QString &pasted) {
    if (pasted.isEmpty() || isReadOnly()) {
        return;
    }
    const bool edited = text() != asked.text;
    const int start = !edited             ? asked.start
                      : hasSelectedText() ? selectionStart()
                                          : cursorPosition();
    const int length = edited ? selectionLength() : asked.length;
    // Moving the cursor ends the undo step before it, as Qt's own paste does
    // before and after its text: undo takes back the paste alone.
    setCursorPosition(cursorPosition() == 0 ? int(text().size()) : 0);
    setSelection(start, length);
    insert(pasted);
    const int end = cursorPosition();
    setCursorPosition(end == 0 ? 1 : end - 1);
    setCursorPosition(end);
}

void PasteLineEdit::keyPressEvent(QKeyEvent *event) {
    if (isReadOnly() || !event->matches(QKeySequence::Paste)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Ctrl+Shift+Insert pastes the selection where there is one, as in Qt.
    const bool selection = event->key() == Qt::Key_Insert &&
                           event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                           selectionPastes();
    pasteFrom(selection ? Selection::Primary : Selection::Clipboard);
    event->accept();
}

void PasteLineEdit::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::MiddleButton || isReadOnly() || !selectionPastes()) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    // The press has put the cursor under the pointer.
    deselect();
    pasteFrom(Selection::Primary);
}

// Qt's own menu first asks the clipboard's owner whether it holds text, and
// waits for it; this one offers Paste whatever the clipboard holds.
void PasteLineEdit::contextMenuEvent(QContextMenuEvent *event) {
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](const char *name, QKeySequence::StandardKey key, const char *icon,
                         bool enabled, auto slot) {
        QAction *action = menu->addAction(QIcon::fromTheme(QString::fromLatin1(icon)),
                                          tr(name) + shortcutText(key));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    if (editable) {
        add("&Undo", QKeySequence::Undo, "edit-undo", isUndoAvailable(), &QLineEdit::undo);
        add("&Redo", QKeySequence::Redo, "edit-redo", isRedoAvailable(), &QLineEdit::redo);
        menu->addSeparator();
        add("Cu&t", QKeySequence::Cut, "edit-cut", selected, &QLineEdit::cut);
    }
    add("&Copy", QKeySequence::Copy, "edit-copy", selected, &QLineEdit::copy);
    if (editable) {
        add("&Paste", QKeySequence::Paste, "edit-paste", true,
            [this] { pasteFrom(Selection::Clipboard); });
        add("Delete", QKeySequence::UnknownKey, "edit-delete", selected, [this] { del(); });
    }
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, "edit-select-all",
        !text().isEmpty() && selectionLength() < text().size(), &QLineEdit::selectAll);
    menu->popup(event->globalPos());
}

} // namespace vorlan
