// The external converter: registering it, and a DWG drawn from its converted DXF ("ODA").
#include "app/main_window.h"

#include "app/desktop.h"
#include "app/file_list_box.h"
#include "app/preview_panel.h"
#include "convert/converter.h"
#include "dxf/file_kind.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace quillon {

namespace {

const QString kInformation = QStringLiteral("情報");
const QString kNotFound = QStringLiteral("ファイルが見つかりません．");

} // namespace

ConverterCall TForm2::converterCall() {
    ConverterCall call;
    call.converter = settings_.converterPath;
    call.outputFolder = paths_.scratchFolder();
    call.owner = &prompts_;
    call.processEvents = [] { QCoreApplication::processEvents(); };
    call.shuttingDown = [this] { return closing_; };
    call.busy = [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    return call;
}

void TForm2::N26Click() {
#ifdef Q_OS_WIN
    const QString filter = QStringLiteral("*.exe (*.exe)");
#else
    // The converter's Linux build has no extension.
    const QString filter =
        QStringLiteral("ODAFileConverter (*.exe ODAFileConverter);;すべてのファイル (*)");
#endif
    const QString chosen = prompts_.openFileName(QStringLiteral("ODAFileConverter.exe"), filter);
    if (!chosen.isEmpty()) setConverterPath(QDir::toNativeSeparators(chosen));
}

void TForm2::Button3Click() {
    // One run at a time: a press (or a double click on the preview) during the wait does nothing.
    if (converting_) return;
    const QScopedValueRollback<bool> converting(converting_, true);
    if (!ConverterExists(settings_.converterPath)) {
        prompts_.showInformation(kInformation,
                                 QStringLiteral("ODAFileConverter.exe が見つかりません．"));
        return;
    }
    if (FileListBox1->itemIndex() < 0) return;
    if (FileKindOf(Edit1->text()) != FileKind::Dwg) return;
    const QString file = FileListBox1->fileName();
    if (!QFileInfo::exists(file)) {
        prompts_.showInformation(kInformation, file + u'\n' + kNotFound);
        return;
    }
    QCoreApplication::processEvents();
    const Conversion run = ConvertDwgToDxf(converterCall(), file, false);
    if (run.end != RunEnd::Ended) return; // a failed start is told by the run; a close ends it
    if (!run.produced) {
        prompts_.showInformation(kInformation, run.output + u'\n' + kNotFound);
        return;
    }
    // The user may have chosen another file during the wait: the drawing is this file's only.
    if (FileListBox1->fileName() != file) return;
    Edit1->setText(Edit1->text() + QStringLiteral(".dxf"));
    QCoreApplication::processEvents();
    preview_->drawDxfImage(run.output);
}

} // namespace quillon
