// The two small dialogs of the menus: registering a folder or editing its title (TForm3,
// modeless), and naming a new folder (TForm4, modal).
#pragma once

#include "ui_new_folder_dialog.h"
#include "ui_register_folder_dialog.h"

namespace quillon {

// From register_folder_dialog.ui: Edit1 the folder, Edit2 its title.
class TForm3 : public QDialog, public Ui_TForm3 {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // The mode by Button1's caption: "登録" registers, "更新" edits a title.
    void setRegisterMode(bool registering);
    bool registering() const;
    void Button2Click() { hide(); }
};

// From new_folder_dialog.ui: Edit1 the current folder, Edit2 the new name, besideButton and
// insideButton RadioGroup1's two items.
class TForm4 : public QDialog, public Ui_TForm4 {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace quillon
