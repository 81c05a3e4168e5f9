#include "app/preview_image.h"

#include "app/device_pixels.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillon {

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(16, 16);
    setMouseTracking(true); // the crosshair follows the pointer without a button held
}

QSize PreviewImage::pictureSize() const {
    return DevicePixels(size(), devicePixelRatioF());
}

QPoint PreviewImage::picturePixel(QPointF at) const {
    return DevicePixel(at, devicePixelRatioF());
}

void PreviewImage::setPicture(const QImage& image) {
    picture_ = image;
    picture_.setDevicePixelRatio(devicePixelRatioF());
    emit pictureReplaced();
    repaint();
}

void PreviewImage::drawOverlay(const QImage& image) {
    picture_ = image;
    picture_.setDevicePixelRatio(devicePixelRatioF());
    repaint();
}

void PreviewImage::clearPicture() {
    setPicture(QImage());
}

void PreviewImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    // Placed and sized in whole device pixels: a picture of pictureSize() is not stretched.
    const QSize area = pictureSize();
    const QSize fitted = picture_.size().scaled(area, Qt::KeepAspectRatio);
    const QPoint at((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2);
    const double ratio = devicePixelRatioF();
    p.drawImage(QRectF(QPointF(at) / ratio, QSizeF(fitted) / ratio), picture_);
}

void PreviewImage::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

void PreviewImage::mousePressEvent(QMouseEvent* event) {
    emit pressed(picturePixel(event->position()), event->button(),
                 event->modifiers() & Qt::ShiftModifier);
}

void PreviewImage::mouseMoveEvent(QMouseEvent* event) {
    emit moved(picturePixel(event->position()), event->modifiers() & Qt::ShiftModifier);
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event) {
    emit released(picturePixel(event->position()), event->button(),
                  event->modifiers() & Qt::ShiftModifier);
}

} // namespace quillon
