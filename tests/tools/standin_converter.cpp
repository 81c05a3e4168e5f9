// A stand-in for the external DWG/DXF converter, for the tests: it takes the converter's seven
// parameters (input folder, output folder, version, type, recurse, audit, file filter) and writes
// the output into the output folder under the input's name with the new extension: a small DXF
// for "DXF", a DWG-headed file for "DWG".
//   QUILLON_STANDIN_LOG=FILE   appends the parameters, one line per run, separated by tabs
//   QUILLON_STANDIN_MODE=nothing | slow | crash   exits without output, takes two seconds first,
//                                                 or crashes
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (const QString log = qEnvironmentVariable("QUILLON_STANDIN_LOG"); !log.isEmpty()) {
        QFile f(log);
        if (f.open(QIODevice::Append)) f.write(args.join(u'\t').toUtf8() + '\n');
    }
    if (args.size() != 7) return 2;
    const QString mode = qEnvironmentVariable("QUILLON_STANDIN_MODE");
    if (mode == QLatin1String("crash")) std::abort();
    if (mode == QLatin1String("slow")) QThread::msleep(2000);
    if (mode == QLatin1String("nothing")) return 0;
    const QString input = QDir(args[0]).filePath(args[6]);
    if (!QFileInfo(input).isFile()) return 1;
    const QString type = args[3].toLower();
    QFile out(QDir(args[1]).filePath(QFileInfo(input).completeBaseName() + u'.' + type));
    if (!out.open(QIODevice::WriteOnly)) return 1;
    if (type == QLatin1String("dxf"))
        out.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n100\n21\n50\n"
                  "0\nCIRCLE\n8\n0\n10\n50\n20\n25\n40\n20\n0\nENDSEC\n0\nEOF\n");
    else
        out.write(QByteArray("AC1015").leftJustified(128, '\0'));
    return 0;
}
