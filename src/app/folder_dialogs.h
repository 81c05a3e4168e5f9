// The two small dialogs of the menus: registering a folder or editing its title (TForm3,
// modeless), and naming a new folder (TForm4, modal).
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillon {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // The mode by Button1's caption: "登録" registers, "更新" edits a title.
    void setRegisterMode(bool registering);
    bool registering() const;
    void Button2Click() { hide(); }

    QLabel *Label1, *Label2;
    QLineEdit *Edit1, *Edit2; // the folder (read only), the title
    QPushButton *Button1, *Button2;
};

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    QLabel *Label1, *Label2;
    QLineEdit *Edit1, *Edit2;                  // the current folder (read only), the new name
    QRadioButton *besideButton, *insideButton; // RadioGroup1's two items
    QPushButton *Button1, *Button2;
};

} // namespace quillon
