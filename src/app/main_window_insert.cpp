// Inserting the selected drawing into the running CAD, whole or exploded, and dragging it out.
#include "app/main_window.h"

#include "app/file_list_box.h"
#include "cad/insertion.h"
#include "convert/background_conversion.h"
#include "dxf/file_kind.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace quillon {

namespace {

constexpr int kStatusMs = 8000; // how long an insertion's status line stays

// What the status line says of an insertion's end; nothing for the file's own troubles, which
// end it silently.
QString StatusText(InsertOutcome outcome) {
    switch (outcome) {
    case InsertOutcome::Sent: return QStringLiteral("挿入しました");
    case InsertOutcome::NoCad:
        return QString::fromUtf16(kCadTitle) + QStringLiteral(" が見つかりません");
    case InsertOutcome::NoAnswer:
    case InsertOutcome::CommandFailed:
        return QString::fromUtf16(kCadTitle) + QStringLiteral(" が応答しません");
    default: return {};
    }
}

} // namespace

void TForm2::Button18Click(QObject* sender) {
    if (inserting_) return; // one insertion at a time: a click while one runs is ignored
    InsertRequest request;
    request.file = FileListBox1->fileName();
    request.explode = sender != Button18;
    request.convertDxf = CheckBox3->isChecked();
    request.converter = converterCall();
    request.title = CadTitle;
    if (!cadThread_) cadThread_ = std::make_unique<CadThread>();
    inserting_ = true;
    statusBar()->clearMessage();
    StartInsertion(request, *cadThread_, [this, file = request.file](InsertOutcome outcome) {
        inserting_ = false;
        if (outcome == InsertOutcome::UnsafePath)
            prompts_.showInformation(
                QStringLiteral("情報"),
                file + u'\n' +
                    QStringLiteral(
                        "制御文字や \" を含む名前は CAD のコマンドラインに渡せません．"));
        const QString status = StatusText(outcome);
        if (!status.isEmpty()) statusBar()->showMessage(status, kStatusMs);
    });
}

QString TForm2::fileToDrag(const QString& file) {
    const FileKind kind = FileKindOf(file);
    if (kind == FileKind::Dwg) return file;
    if (kind != FileKind::Dxf || !CheckBox3->isChecked()) return {};
    // A DXF is dragged as the DWG the converter makes of it, as it would be inserted. The
    // converter runs off the user-interface thread; the drag starts once the DWG is there.
    if (!dragConversion_) {
        dragConversion_ = std::make_unique<BackgroundConversion>();
        connect(dragConversion_.get(), &BackgroundConversion::finished, this,
                [this](const QString& dxf, const Conversion& run) {
                    QApplication::restoreOverrideCursor();
                    FileListBox1->carry(run.produced ? run.output : QString());
                    if (!run.produced)
                        cancelDrag(dxf,
                                   run.end == RunEnd::StartFailed
                                       ? QStringLiteral("起動に失敗しました．")
                                       : QStringLiteral("変換後の DWG ファイルが見つかりません．"));
                });
    }
    const QString made = dragConversion_->madeFor(file, QStringLiteral("DWG"));
    if (!made.isEmpty()) return made; // converted before, and neither file has changed since
    const ConverterCall call = converterCall();
    if (!ConverterExists(call.converter)) {
        cancelDrag(file, QStringLiteral("ODAFileConverter.exe が見つかりません．"));
        return {};
    }
    if (dragConversion_->running()) { // the same file again waits for the same run
        if (dragConversion_->inputFile() == file) FileListBox1->awaitDrag();
        return {};
    }
    FileListBox1->awaitDrag();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    dragConversion_->start(call, file, QStringLiteral("DWG"));
    return {};
}

void TForm2::cancelDrag(const QString& file, const QString& reason) {
    // Told once the mouse event that began the drag is over, never from within it.
    QTimer::singleShot(0, this,
                       [this, text = file + u'\n' + reason + u'\n' +
                                     QStringLiteral("ドラッグを取り消しました．")] {
                           prompts_.showInformation(QStringLiteral("情報"), text);
                       });
}

} // namespace quillon
