// Inserting the selected drawing into the running CAD, whole or exploded, and dragging it out.
#include "app/main_window.h"

#include "app/file_list_box.h"
#include "cad/insertion.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>

namespace quillon {

void TForm2::Button18Click(QObject* sender) {
    InsertRequest request;
    request.file = FileListBox1->fileName();
    request.explode = sender != Button18;
    request.convertDxf = CheckBox3->isChecked();
    request.converter = converterCall();
    request.title = CadTitle;
    if (InsertDrawing(request) == InsertOutcome::UnsafePath)
        prompts_.showInformation(
            QStringLiteral("情報"),
            request.file + u'\n' +
                QStringLiteral("制御文字を含む名前は CAD のコマンドラインに渡せません．"));
}

QString TForm2::fileToDrag(const QString& file) {
    const QString ext = QFileInfo(file).suffix().toUpper();
    if (ext == QLatin1String("DWG")) return file;
    if (ext != QLatin1String("DXF") || !CheckBox3->isChecked()) return {};
    // A DXF is dragged as the DWG the converter makes of it, as it would be inserted.
    const ConverterCall call = converterCall();
    if (!ConverterExists(call.converter) || !ConvertDxfToDwg(call, file, false)) return {};
    const QString dwg = ExpectedOutput(file, call.outputFolder, QStringLiteral("DWG"));
    return QFileInfo::exists(dwg) ? dwg : QString();
}

} // namespace quillon
