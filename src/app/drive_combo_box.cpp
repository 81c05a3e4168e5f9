#include "app/drive_combo_box.h"

#include "app/paths.h"

namespace quillon {

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(4); // long mount paths must not widen the pane
    addItems(AvailableDrives());
    connect(this, &QComboBox::activated, this, [this] { emit driveChanged(); });
}

void DriveComboBox::setDrive(const QString& root) {
    int i = findText(root);
    if (i < 0) {
        addItem(root);
        i = count() - 1;
    }
    setCurrentIndex(i);
}

} // namespace quillon
