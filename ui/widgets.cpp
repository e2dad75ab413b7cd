#include "widgets.h"

#include "fonts.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextOption>
#include <QTimer>

#include <algorithm>

namespace vorlan {

ResultListView::ResultListView(QWidget *parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setItemDelegate(new RowDelegate(this));
}

int ResultListView::selectedRow() const {
    if (!selectionModel()) {
        return -1;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ResultListView::selectRow(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void ResultListView::mousePressEvent(QMouseEvent *event) {
    if (!indexAt(event->position().toPoint()).isValid()) {
        // Without a row a list view clears its selection; ours keeps it, so
        // that a double-click there looks up the selected row, not nothing.
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void ResultListView::mouseDoubleClickEvent(QMouseEvent *event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit dblClicked();
    }
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (height_ < 0 || option.font != measured_) {
        measured_ = option.font;
        height_ = wholeGlyphLineHeight(option.font);
    }
    size.setHeight(std::max(size.height(), height_));
    return size;
}

void fitToContents(QWidget *control) {
    const QRect placed = control->geometry();
    const QSize needed = control->sizeHint().expandedTo(placed.size());
    const int grow = needed.height() - placed.height();
    control->setGeometry(placed.x(), placed.y() - grow / 2, needed.width(), needed.height());
}

MeaningBox::MeaningBox(QWidget *parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void MeaningBox::setAlignment(Qt::Alignment alignment) {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
}

QString MeaningBox::selectedText() const {
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void MeaningBox::mouseDoubleClickEvent(QMouseEvent *event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit dblClicked();
    }
}

namespace {

// Characters removed plus inserted between two texts: what differs between
// their common start and common end.
qsizetype editSize(QStringView before, QStringView after) {
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return (before.size() - prefix - suffix) + (after.size() - prefix - suffix);
}

class UndoBound : public QObject {
public:
    UndoBound(QLineEdit *edit, qsizetype budget)
        : QObject(edit), edit_(edit), budget_(budget), last_(edit->text()) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) {
            // A text set by the program has emptied the history already.
            volume_ = edit_->isUndoAvailable() ? volume_ + editSize(last_, text) : 0;
            last_ = text;
            if (volume_ > budget_ && !resetQueued_) {
                // Not from inside the edit that is still being handled.
                resetQueued_ = true;
                QTimer::singleShot(0, this, [this] { reset(); });
            }
        });
    }

private:
    void reset() {
        resetQueued_ = false;
        volume_ = 0;
        const int cursor = edit_->cursorPosition();
        const int selectionStart = edit_->selectionStart();
        const int selectionLength = edit_->selectionLength();
        // The same text: no change is reported, and the history is emptied.
        edit_->setText(edit_->text());
        if (selectionStart >= 0 && selectionLength > 0) {
            edit_->setSelection(selectionStart, selectionLength);
        } else {
            edit_->setCursorPosition(cursor);
        }
    }

    QLineEdit *edit_;
    const qsizetype budget_;
    QString last_;
    qsizetype volume_ = 0;
    bool resetQueued_ = false;
};

} // namespace

void boundUndoHistory(QLineEdit *edit, qsizetype budget) {
    new UndoBound(edit, budget);
}

} // namespace vorlan
