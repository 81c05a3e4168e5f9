// quillon-cli insert FILE [--explode] [--converter PATH] [--title TEXT]: inserts a drawing into
// the running CAD as the insert buttons do; a DXF is converted to DWG first when a converter is
// given, and the DWG stays in the scratch folder for the CAD to read.
#include "cad/insertion.h"
#include "verbs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

namespace quillon::cli {

namespace {

struct InsertArgs {
    std::string file, converter, title = QString::fromUtf16(kCadTitle).toStdString();
    bool explode = false;
};

int RunInsert(const InsertArgs& a) {
    InsertRequest r;
    r.file = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(a.file)).absoluteFilePath());
    r.explode = a.explode;
    r.title = QString::fromStdString(a.title);
    r.convertDxf = !a.converter.empty();
    r.converter.converter = QString::fromStdString(a.converter);
    r.converter.outputFolder = QDir(QCoreApplication::applicationDirPath()).filePath("scratch");
    r.converter.processEvents = [] { QCoreApplication::processEvents(); };
    r.converter.timeoutMs = 120000;
    switch (InsertDrawing(r)) {
    case InsertOutcome::Sent: return kDrawn;
    case InsertOutcome::UnsafePath:
        return Fail(kUsage,
                    a.file + ": a name with control characters or \" cannot be typed into the CAD");
    case InsertOutcome::NoCad:
        return Fail(kMissing, "no CAD window titled \"" + a.title + "\" that takes input");
    case InsertOutcome::NoAnswer:
        return Fail(kMissing,
                    "the CAD titled \"" + a.title + "\" does not answer, or has no drawing open");
    case InsertOutcome::FileMissing: return Fail(kMissing, a.file + ": no such file");
    case InsertOutcome::NotInsertable:
        return Fail(kNotDrawable,
                    a.file + ": only DWG files, or DXF files with --converter, insert");
    case InsertOutcome::ConverterMissing:
        return Fail(kMissing, a.converter + ": no converter there");
    case InsertOutcome::ConversionFailed:
        return Fail(kNotDrawable, a.file + ": the converter made no DWG of it");
    case InsertOutcome::CommandFailed: return Fail(kMissing, "the CAD did not take the commands");
    }
    return kMissing;
}

} // namespace

Verb AddInsertVerb(CLI::App& cli) {
    auto args = std::make_shared<InsertArgs>();
    CLI::App* c = cli.add_subcommand("insert", "Insert a drawing into the running CAD as a block");
    c->add_option("FILE", args->file, "DWG (or DXF with --converter) to insert")->required();
    c->add_flag("--explode", args->explode, "insert it exploded");
    c->add_option("--converter", args->converter, "DWG/DXF converter for DXF files");
    c->add_option("--title", args->title, "the CAD window's title (default \"nanoCAD 5\")");
    return {c, [args] { return RunInsert(*args); }};
}

} // namespace quillon::cli
