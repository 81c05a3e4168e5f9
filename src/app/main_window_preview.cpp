#include "app/main_window.h"

// The preview of the selected drawing: the selection flow, its options and redraws on resize.
#include "app/file_list_box.h"
#include "app/paths.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "app/selection_rules.h"
#include "dxf/file_kind.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>

namespace quillon {

void TForm2::clearPreview() {
    preview_->clear();
}

void TForm2::FileListBox1Click() {
    const QString path = FileListBox1->fileName();
    Edit4->setText(SelectedPathText(path));
    Edit4->repaint();
    Edit1->setText(QFileInfo(path).fileName());
    Edit1->repaint();
    if (path.isEmpty()) return;
    Edit3->clear();
    const SelectionActions actions = ActionsForPath(Edit4->text(), CheckBox3->isChecked());
    Button3->setEnabled(actions.convert);
    Button18->setEnabled(actions.insert);
    Button19->setEnabled(actions.insert);
    if (!panesSized_) return; // drawn once the window is laid out, at the picture's real size
    switch (FileKindOf(Edit4->text())) {
    case FileKind::Dwg: preview_->showDwgThumbnail(Edit4->text(), CheckBox2->isChecked()); break;
    case FileKind::Dxf:
        clearPreview();
        if (CheckBox1->isChecked()) preview_->drawDxfImage(Edit4->text());
        break;
    case FileKind::Other: clearPreview(); break;
    }
}

// A selected DXF is drawn, or its preview cleared, as soon as the option changes.
void TForm2::CheckBox1Click() {
    if (FileKindOf(FileListBox1->fileName()) == FileKind::Dxf) FileListBox1Click();
}

void TForm2::CheckBox2Click() {
    FileListBox1Click();
}

void TForm2::CheckBox3Click() {
    FileListBox1Click();
}

void TForm2::Image2DblClick() {
    if (Button3->isEnabled()) Button3->click();
}

void TForm2::Panel4Resize() {
    if (preview_ && CheckBox1->isChecked() && FileKindOf(FileListBox1->fileName()) == FileKind::Dxf)
        preview_->redrawCurrentView(false);
}

void TForm2::showEvent(QShowEvent* event) {
    if (!panesSized_) {
        panesSized_ = true;
        // The panes as they were left, or as designed: folders 200, preview 229 pixels.
        const int handles = Splitter1->handleWidth() + Splitter2->handleWidth();
        const int folders = settings_.splitter1 > 0 ? settings_.splitter1 : 200;
        const int list =
            settings_.splitter2 > 0 ? settings_.splitter2 : width() - folders - 229 - handles;
        Splitter1->setSizes({folders, width() - folders - Splitter1->handleWidth()});
        Splitter2->setSizes({list, width() - folders - list - handles});
        // The start-up selection's preview, now that the picture has its size.
        QTimer::singleShot(0, this, [this] {
            if (FileListBox1->itemIndex() >= 0) FileListBox1Click();
        });
    }
    QMainWindow::showEvent(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel4 && event->type() == QEvent::Resize) Panel4Resize();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quillon
