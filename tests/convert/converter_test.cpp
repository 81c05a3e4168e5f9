// The converter's command line, and runs of the stand-in converter as a real process.
#include "convert/converter.h"
#include "support/drawing_checks.h"
#include "support/program_folder.h"
#include "support/temp_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::RecordedMessages;
using quillon::test::StandInMode;
using quillon::test::TempFolder;

namespace {

struct ConverterRun {
    TempFolder tmp;
    RecordedMessages messages;
    int busyOn = 0, busyOff = 0, events = 0;
    ConverterCall call;

    ConverterRun() {
        call.converter = QStringLiteral(QUILLON_STANDIN_CONVERTER);
        call.outputFolder = tmp.file("scratch");
        call.owner = &messages;
        call.processEvents = [this] { ++events; };
        call.busy = [this](bool on) { ++(on ? busyOn : busyOff); };
        qputenv("QUILLON_STANDIN_LOG", tmp.file("log.txt").toUtf8());
    }
    ~ConverterRun() { qunsetenv("QUILLON_STANDIN_LOG"); }
    QStringList log() const {
        QFile f(tmp.file("log.txt"));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

} // namespace

TEST(Converter, SevenParametersAndTheWindowRule) {
    const struct {
        QString input, output;
        QStringList arguments;
        QString quoted;
        bool shown;
    } cases[] = {
        {"/lib/parts/a b.dwg",
         "/prog/scratch",
         {"/lib/parts", "/prog/scratch", "ACAD2000", "DXF", "0", "0", "a b.dwg"},
         R"("/lib/parts" "/prog/scratch" "ACAD2000" "DXF" "0" "0" "a b.dwg")",
         false},
        {"/a.dwg",
         "/prog/scratch/",
         {"/", "/prog/scratch", "ACAD2000", "DXF", "0", "0", "a.dwg"},
         R"("/" "/prog/scratch" "ACAD2000" "DXF" "0" "0" "a.dwg")",
         true},
        {"/lib/R&D/部品 \"x\".dwg",
         "/",
         {"/lib/R&D", "/", "ACAD2000", "DXF", "0", "0", "部品 \"x\".dwg"},
         R"("/lib/R&D" "/" "ACAD2000" "DXF" "0" "0" "部品 "x".dwg")",
         true},
    };
    for (const auto& c : cases) {
        const ConversionJob job = JobFor(c.input, c.output, "DXF");
        EXPECT_EQ(ConverterArguments(job), c.arguments) << c.input.toStdString();
        EXPECT_EQ(QuotedParameters(job), c.quoted);
        EXPECT_EQ(ShowsConverterWindow(job, false), c.shown) << c.input.toStdString();
        EXPECT_TRUE(ShowsConverterWindow(job, true));
    }
    // A Windows drive root keeps its backslash, doubled before the closing quote: a backslash
    // just before a quote would make the quote part of the text.
    ConversionJob root;
    root.inputFolder = "C:\\";
    root.outputFolder = "D:\\out";
    root.type = "DXF";
    root.filter = "a.dwg";
    EXPECT_EQ(QuotedParameters(root), R"("C:\\" "D:\out" "ACAD2000" "DXF" "0" "0" "a.dwg")");
    EXPECT_EQ(ExpectedOutput("/lib/a.b.DWG", "/prog/scratch", "DXF"), "/prog/scratch/a.b.dxf");
    EXPECT_EQ(ExpectedOutput("/lib/a.dxf", "/prog/scratch", "DWG"), "/prog/scratch/a.dwg");
    EXPECT_FALSE(ConverterExists("[未登録]"));
    EXPECT_FALSE(ConverterExists(""));
    EXPECT_TRUE(ConverterExists(QStringLiteral(QUILLON_STANDIN_CONVERTER)));
}

TEST(Converter, RunsOfTheStandIn) {
    const struct {
        const char* mode;
        const char* type;
        bool result, output;
        RunEnd end;
    } cases[] = {
        {"", "DXF", true, true, RunEnd::Ended},
        {"", "DWG", true, true, RunEnd::Ended},
        {"nothing", "DXF", true, false, RunEnd::Ended},
        {"crash", "DXF", true, false, RunEnd::Ended},
    };
    for (const auto& c : cases) {
        ConverterRun r;
        const StandInMode mode(c.mode);
        // An odd name, and a stale output of an earlier run that must not survive a failed one.
        const QString input = r.tmp.write("lib/R&D/部品 \"1\" a.dwg", "x");
        const QString expected = ExpectedOutput(input, r.call.outputFolder, c.type);
        r.tmp.write(QStringLiteral("scratch/部品 \"1\" a.") + QString(c.type).toLower(), "stale");
        const Conversion run = RunConverter(r.call, input, false, c.type);
        EXPECT_EQ(run.end == RunEnd::Ended, c.result) << c.mode;
        EXPECT_EQ(run.end, c.end) << c.mode;
        EXPECT_EQ(QFileInfo(expected).size() > 5, c.output) << c.mode << c.type;
        EXPECT_EQ(run.produced, c.output) << c.mode << c.type;
        EXPECT_EQ(run.output, expected);
        if (!c.output) {
            EXPECT_FALSE(QFileInfo::exists(expected)) << c.mode;
        }
        ASSERT_EQ(r.log().size(), 1) << c.mode;
        EXPECT_EQ(r.log()[0].split(u'\t').last(), QStringLiteral("部品 \"1\" a.dwg"));
        EXPECT_EQ(r.busyOn, 1);
        EXPECT_EQ(r.busyOff, 1);
        EXPECT_TRUE(r.messages.shown.isEmpty());
    }
}

TEST(Converter, FailuresToStartAndWaitsThatEndEarly) {
    {
        ConverterRun r; // a converter that is not a program
        r.call.converter = r.tmp.write("ODAFileConverter", "not a program");
        const QString input = r.tmp.write("lib/a.dwg", "x");
        const Conversion run = ConvertDwgToDxf(r.call, input, false);
        EXPECT_EQ(run.end, RunEnd::StartFailed);
        EXPECT_FALSE(run.produced);
        EXPECT_EQ(r.messages.shown, QStringList{"エラー|起動に失敗しました．"});
        EXPECT_EQ(r.busyOff, r.busyOn);
    }
    const StandInMode slow("slow");
    {
        ConverterRun r; // a slow converter: the caller's events keep running
        const QString input = r.tmp.write("lib/a.dwg", "x");
        EXPECT_EQ(ConvertDwgToDxf(r.call, input, false).end, RunEnd::Ended);
        EXPECT_GT(r.events, 100);
    }
    {
        ConverterRun r; // a bounded wait
        r.call.timeoutMs = 200;
        EXPECT_EQ(ConvertDwgToDxf(r.call, r.tmp.write("lib/a.dwg", "x"), false).end,
                  RunEnd::TimedOut);
        EXPECT_EQ(r.busyOff, 1);
    }
    {
        ConverterRun r; // the program closing ends the wait
        r.call.shuttingDown = [&] { return r.events > 10; };
        EXPECT_EQ(ConvertDxfToDwg(r.call, r.tmp.write("lib/a.dxf", "x"), false).end,
                  RunEnd::Abandoned);
        EXPECT_EQ(r.busyOff, 1);
    }
}
