#pragma once

#include "services.h"

#include <QLabel>
#include <QVariantMap>
#include <QWidget>

namespace vorlan {

// A picture that reports a left click (press and release on it).
class PictureBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A picture drawn from SVG at the screen's pixel density `ratio`, so that it
// stays sharp on high-resolution screens.
QPixmap renderSvg(const QString &resource, QSize size, qreal ratio);

// The pin: keeps the window HandelObject above all others, or releases it,
// one click at a time. Shows picNormal while unpinned and picTop while pinned;
// always exactly the size of its picture.
class Top : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint32 HandelObject READ HandelObject WRITE setHandelObject)

public:
    explicit Top(StackingService &stacking, QWidget *parent = nullptr);

    // The native handle of the window to pin; -1 turns the pin off.
    qint32 HandelObject() const { return handelObject_; }
    void setHandelObject(qint32 vNewValue) { handelObject_ = vNewValue; }

    // For a control placed new, without saved properties: nothing to set.
    void UserControl_InitProperties();
    // Takes "HandelObject" from the saved properties; where none is saved, or
    // it is no 32-bit integer, the handle of the window holding the control.
    // Call it once the control sits in that window.
    void UserControl_ReadProperties(const QVariantMap &properties);

    QSize sizeHint() const override;

signals:
    // A click on the control's own surface, outside both pictures, before
    // the pin flips.
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void UserControl_Initialize();
    void UserControl_Resize();
    void UserControl_Click();
    void picNormal_Click();
    void picTop_Click();
    void SwitchTop();

    // 240 x 210 twips at this screen's logical resolution.
    QSize pictureSize() const;

    StackingService &stacking_;
    PictureBox *picNormal;
    PictureBox *picTop;
    qint32 handelObject_ = 0;
    bool OnTop = false;
};

} // namespace vorlan
