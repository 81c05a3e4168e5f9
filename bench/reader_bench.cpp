// Reading speed of the DXF reader: MB/s and records/s on generated 5 MB and 50 MB drawings
// (reals written in full as CAD programs write them, and with four decimals), or on any file
// given with --file PATH.
#include "dxf/reader.h"
#include "dxf_generator.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

using namespace quillon;

namespace {

void ReadFile(benchmark::State& state, const QString& path) {
    QString version;
    ScanAcadVer(path, version);
    const TextEncoding encoding = ChooseEncoding(version);
    size_t records = 0;
    for (auto _ : state) {
        DxfDrawing d;
        QString status, acadVer;
        ReadDxfFile(d, path, nullptr, nullptr, status, encoding, acadVer);
        records = 0;
        for (const auto& [name, size] : ArraySizes(d)) records += size;
        benchmark::DoNotOptimize(d.LineAry.data());
    }
    const double bytes = double(QFileInfo(path).size());
    state.counters["MB/s"] =
        benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["records/s"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = bytes / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QString file;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--file") == 0) file = QString::fromLocal8Bit(argv[i + 1]);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (!file.isEmpty()) {
        benchmark::RegisterBenchmark("ReadDxfFile/given", ReadFile, file)
            ->Unit(benchmark::kMillisecond);
    } else {
        for (const int mb : {5, 50})
            for (const auto& [reals, kind] :
                 {std::pair(bench::Reals::Full, "full"), std::pair(bench::Reals::Short, "short")}) {
                const QString path = dir.filePath(QString("sample_%1mb_%2.dxf").arg(mb).arg(kind));
                bench::WriteSampleDxf(path, qint64(mb) * 1000 * 1000, reals);
                const QString name = QString("ReadDxfFile/%1MB/%2-reals").arg(mb).arg(kind);
                benchmark::RegisterBenchmark(name.toStdString().c_str(), ReadFile, path)
                    ->Unit(benchmark::kMillisecond);
            }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
