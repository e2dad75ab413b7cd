#include "widgets.h"

#include "fonts.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTextOption>

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

} // namespace vorlan
