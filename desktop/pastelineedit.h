#pragma once

#include "services.h"

#include <QLineEdit>

namespace vorlan {

// A line edit whose pastes read through a ClipboardService rather than Qt's
// clipboard, which waits for the owner on the user-interface thread: the
// paste keys, the context menu's Paste and, where the desktop pastes the
// selection so, a middle click. The text goes where the cursor or selection
// was when the paste was asked while the box still holds the text it held
// then; after an edit meanwhile, at the cursor (over the selection) as it is
// when the text comes. Each paste is one undo step and is cut to the box's
// maximum length; an empty answer, or none in time, changes nothing.
class PasteLineEdit : public QLineEdit {
public:
    explicit PasteLineEdit(ClipboardService &clipboard, QWidget *parent = nullptr);
    void pasteFrom(ClipboardService::Selection selection);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    struct Asked {
        QString text;
        int start;
        int length;
    };
    void insertPasted(const Asked &asked, const QString &pasted);

    ClipboardService &clipboard_;
};

} // namespace vorlan
