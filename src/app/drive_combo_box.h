// The drive list: mounted volumes, the root "/" first. Choosing one raises driveChanged.
#pragma once

#include <QComboBox>

namespace quillon {

class DriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    QString drive() const { return currentText(); }
    void setDrive(const QString& root); // without raising driveChanged

signals:
    void driveChanged();
};

} // namespace quillon
