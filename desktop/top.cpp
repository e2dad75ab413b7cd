#include "top.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <limits>

namespace vorlan {

namespace {

constexpr int PictureWidthTwips = 240;
constexpr int PictureHeightTwips = 210;
constexpr int TwipsPerInch = 1440;
// SetWindowPos's HWND_TOPMOST and HWND_NOTOPMOST come down to a flag here.
constexpr bool Topmost = true;
constexpr bool NotTopmost = false;

bool isClick(const QWidget *widget, const QMouseEvent *event) {
    return event->button() == Qt::LeftButton &&
           widget->rect().contains(event->position().toPoint());
}

} // namespace

QPixmap renderSvg(const QString &resource, QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event) {
    if (isClick(this, event)) {
        emit clicked();
    }
}

Top::Top(StackingService &stacking, QWidget *parent)
    : QWidget(parent), stacking_(stacking), picNormal(new PictureBox(this)),
      picTop(new PictureBox(this)) {
    picNormal->setObjectName(QStringLiteral("picNormal"));
    picTop->setObjectName(QStringLiteral("picTop"));
    const QSize size = pictureSize();
    const qreal ratio = devicePixelRatioF();
    picNormal->setFixedSize(size);
    picTop->setFixedSize(size);
    picNormal->setPixmap(
        renderSvg(QStringLiteral(":/vorlan/desktop/icons/pin-normal.svg"), size, ratio));
    picTop->setPixmap(renderSvg(QStringLiteral(":/vorlan/desktop/icons/pin-top.svg"), size, ratio));
    connect(picNormal, &PictureBox::clicked, this, &Top::picNormal_Click);
    connect(picTop, &PictureBox::clicked, this, &Top::picTop_Click);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    UserControl_Initialize();
    resize(size);
}

QSize Top::pictureSize() const {
    return {qRound(PictureWidthTwips * logicalDpiX() / double(TwipsPerInch)),
            qRound(PictureHeightTwips * logicalDpiY() / double(TwipsPerInch))};
}

QSize Top::sizeHint() const {
    return picNormal->size();
}

void Top::UserControl_Initialize() {
    picNormal->move(0, 0);
    picTop->move(0, 0);
    OnTop = false;
    picTop->hide();
    picNormal->show();
}

void Top::UserControl_InitProperties() {}

void Top::UserControl_ReadProperties(const QVariantMap &properties) {
    const auto fallback = [this] { return static_cast<qint32>(window()->winId()); };
    const QVariant saved = properties.value(QStringLiteral("HandelObject"));
    bool ok = false;
    const qlonglong value = saved.toLongLong(&ok);
    if (ok && value >= std::numeric_limits<qint32>::min() &&
        value <= std::numeric_limits<qint32>::max()) {
        handelObject_ = static_cast<qint32>(value);
    } else {
        handelObject_ = fallback();
    }
}

void Top::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void Top::UserControl_Resize() {
    const QSize picture = picNormal->size();
    if (size() != picture) {
        resize(picture);
    }
}

void Top::mousePressEvent(QMouseEvent *event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void Top::mouseReleaseEvent(QMouseEvent *event) {
    if (isClick(this, event)) {
        UserControl_Click();
    }
}

void Top::UserControl_Click() {
    emit Click();
    SwitchTop();
}

void Top::picNormal_Click() {
    SwitchTop();
}

void Top::picTop_Click() {
    SwitchTop();
}

void Top::SwitchTop() {
    if (handelObject_ == -1) {
        return;
    }
    // Pictures before the call, state after it, whatever the call returns.
    if (!OnTop) {
        picTop->setVisible(true);
        picNormal->setVisible(false);
        stacking_.setTopmost(handelObject_, Topmost);
        OnTop = true;
    } else {
        picTop->setVisible(false);
        picNormal->setVisible(true);
        stacking_.setTopmost(handelObject_, NotTopmost);
        OnTop = false;
    }
}

} // namespace vorlan
