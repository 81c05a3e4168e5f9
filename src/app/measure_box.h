// The measure box under the preview: a text too long for it (a read-out, a layer name, a text's
// content) is shown with its middle left out, and whole as the tool tip. While the box has the
// focus it shows the whole text, for selecting and copying.
#pragma once

#include <QLineEdit>

namespace quillon {

class MeasureBox : public QLineEdit {
    Q_OBJECT
public:
    explicit MeasureBox(QWidget* parent = nullptr);

    // The text as the box shows it without the focus.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect textRect() const;
    void updateToolTip();
};

} // namespace quillon
