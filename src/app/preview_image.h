// The preview picture: shown scaled proportionally to fit and centred. Pictures are drawn at
// pictureSize(), the widget's size in device pixels, and shown pixel for pixel.
#pragma once

#include <QImage>
#include <QWidget>

namespace quillon {

class PreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    // The size pictures are drawn at: the widget's own in device pixels.
    QSize pictureSize() const;
    // The picture's pixel at a position of the widget.
    QPoint picturePixel(QPointF at) const;
    void setPicture(const QImage& image);
    // The same picture with overlays drawn on it (a crosshair, a band, a highlight).
    void drawOverlay(const QImage& image);
    void clearPicture();
    bool hasPicture() const { return !picture_.isNull(); }

signals:
    void doubleClicked();
    // Positions are pixels of the picture (device pixels).
    void pressed(QPoint at, Qt::MouseButton button, bool shift);
    void moved(QPoint at, bool shift);
    void released(QPoint at, Qt::MouseButton button, bool shift);
    void pictureReplaced(); // also when cleared

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace quillon
