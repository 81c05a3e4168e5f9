#include "app/measure_box.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quillon {

MeasureBox::MeasureBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &MeasureBox::updateToolTip);
}

QRect MeasureBox::textRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QMargins m = textMargins();
    // The line edit's own margins inside its contents: 2 pixels across, 1 down.
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .adjusted(m.left() + 2, m.top() + 1, -m.right() - 2, -m.bottom() - 1);
}

QString MeasureBox::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, textRect().width());
}

void MeasureBox::updateToolTip() {
    setToolTip(shownText() == text() ? QString() : text());
}

void MeasureBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

void MeasureBox::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (hasFocus() || shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.drawText(textRect(), int(alignment()), shown);
}

} // namespace quillon
