#include "app/preview_image.h"

#include <QPainter>

namespace quillon {

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(16, 16);
}

void PreviewImage::setPicture(const QImage& image) {
    picture_ = image;
    emit pictureReplaced();
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

} // namespace quillon
