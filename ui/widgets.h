#pragma once

#include <QListView>
#include <QPlainTextEdit>

namespace vorlan {

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
