#pragma once

#include <QListView>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>

class QLineEdit;

namespace vorlan {

// Characters of edits a search box keeps undoable; see boundUndoHistory.
inline constexpr qsizetype kUndoBudget = 4096;

// Qt keeps a line edit's undo history as one entry per character inserted or
// removed, until the program sets its text: a few pastes of long texts would
// hold megabytes for the rest of the run. Once the edits since the history
// began exceed `budget` characters, the history starts afresh (after the
// edit, keeping text, cursor and selection), so undo reaches back over the
// last budget's worth of typing at most.
void boundUndoHistory(QLineEdit *edit, qsizetype budget = kUndoBudget);

// A result list box: reports a double-click anywhere in it, after the view
// has handled the click itself (so a row under the pointer is selected). A
// click on the empty space below the rows changes no selection.
class ResultListView : public QListView {
    Q_OBJECT
public:
    explicit ResultListView(QWidget *parent = nullptr);
    // 0-based index of the selected row, -1 when none is.
    int selectedRow() const;
    void selectRow(int row);

signals:
    void dblClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// Rows high enough for the whole of every glyph: a mark above a letter of
// one row is not cut by the row above.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // Asked on every refill of the list: measured once per font.
    mutable QFont measured_;
    mutable int height_ = -1;
};

// Grows a control placed by the design to the size its style draws (a check
// box's indicator and caption): in height evenly about the design's middle,
// in width to the right. A control that is large enough keeps its place.
void fitToContents(QWidget *control);

// A read-only, multi-line meaning box. A double-click selects the word under
// the pointer first, then is reported.
class MeaningBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MeaningBox(QWidget *parent = nullptr);
    void setAlignment(Qt::Alignment alignment);
    // The selection as the box holds it, line breaks as CR LF.
    QString selectedText() const;

signals:
    void dblClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace vorlan
