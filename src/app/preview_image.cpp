#include "app/preview_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillon {

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(16, 16);
    setMouseTracking(true); // the crosshair follows the pointer without a button held
}

void PreviewImage::setPicture(const QImage& image) {
    picture_ = image;
    emit pictureReplaced();
    repaint();
}

void PreviewImage::drawOverlay(const QImage& image) {
    picture_ = image;
    repaint();
}

void PreviewImage::clearPicture() {
    setPicture(QImage());
}

void PreviewImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                       fitted);
    p.drawImage(target, picture_);
}

void PreviewImage::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

void PreviewImage::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button(),
                 event->modifiers() & Qt::ShiftModifier);
}

void PreviewImage::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position().toPoint(), event->button(),
                  event->modifiers() & Qt::ShiftModifier);
}

} // namespace quillon
