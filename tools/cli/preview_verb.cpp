// quillon-cli preview FILE [-o OUT.png] [--size WxH] [--view CX,CY,W,H] [--json] [--dump]
//   [--white-emphasis] [--converter PATH [--timeout SECONDS]]: draws exactly what the preview
//   panel shows for a DXF or DWG file; with a converter, a DWG as the "ODA" button draws it.
#include "convert/converter.h"
#include "digest.h"
#include "dwg/thumbnail.h"
#include "dxf/file_kind.h"
#include "dxf/reader.h"
#include "png_output.h"
#include "render/pipeline.h"
#include "verbs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace quillon::cli {

namespace {

using nlohmann::json;

json Point(const TAcadPoint& p) {
    return json::array({p.x, p.y, p.z});
}

template <class R> json Common(const char* kind, const R& r) {
    json j = {{"kind", kind}, {"layer", r.layer.toStdString()}, {"color", r.color}};
    if constexpr (requires { r.ltype; }) j["ltype"] = r.ltype.toStdString();
    j["code60"] = r.code60;
    j["code67"] = r.code67;
    return j;
}

void Dump(const DxfDrawing& d) {
    for (const auto& l : d.LineAry) {
        json j = Common("line", l);
        j["st"] = Point(l.st);
        j["ed"] = Point(l.ed);
        std::cout << j.dump() << '\n';
    }
    for (const auto& c : d.CircleAry) {
        json j = Common("circle", c);
        j["center"] = Point(c.center);
        j["hankei"] = c.hankei;
        std::cout << j.dump() << '\n';
    }
    for (const auto& a : d.ArcAry) {
        json j = Common("arc", a);
        j["center"] = Point(a.center);
        j["hankei"] = a.hankei;
        j["st"] = a.st;
        j["ed"] = a.ed;
        std::cout << j.dump() << '\n';
    }
    for (const auto& t : d.TextAry) {
        json j = Common("text", t);
        j["str"] = t.str.toStdString();
        j["pt10"] = Point(t.pt10);
        j["pt11"] = Point(t.pt11);
        j["code40"] = t.code40;
        j["code50"] = t.code50;
        j["code72"] = t.code72;
        j["code73"] = t.code73;
        j["mtflag"] = t.mtflag;
        std::cout << j.dump() << '\n';
    }
}

json Sizes(const DxfDrawing& d, bool drawableOnly) {
    json j = json::object();
    for (const auto& [name, size] : ArraySizes(d)) {
        const std::string n = name;
        if (!drawableOnly || n == "LineAry" || n == "CircleAry" || n == "ArcAry" ||
            n == "TextAry" || n == "FillAry")
            j[n] = size;
    }
    return j;
}

// `convertedFrom`: the DWG the DXF was converted from, when it was.
int PreviewDxf(const QString& file, QSize size, const std::vector<double>& viewArg,
               const QString& out, bool asJson, bool dump, const QString& convertedFrom = {}) {
    DxfDrawing d;
    ViewState view;
    PreviewFacts facts;
    json read;
    PreviewHooks hooks;
    hooks.afterRead = [&](const DxfDrawing& drawing) { read = Sizes(drawing, false); };
    QImage picture = DrawDxfImage(d, view, file, size, hooks, &facts);
    if (facts.drawn && viewArg.size() == 4) {
        view.ViewCentre = {viewArg[0], viewArg[1], 0};
        view.ViewWidth = viewArg[2];
        view.ViewHeight = viewArg[3];
        picture = RedrawCurrentView(d, view, size);
    }
    if (!out.isEmpty() && !WritePng(picture, out)) {
        return Fail(kMissing, "cannot write " + out.toStdString());
    }
    if (asJson) {
        json layers = json::array();
        for (const TLayer& l : d.LayerAry)
            layers.push_back({{"Name", l.Name.toStdString()},
                              {"color", l.color},
                              {"ltype", l.ltype.toStdString()},
                              {"visible", l.visible}});
        const double upp = UnitsPerPixel(view.ViewWidth, view.ViewHeight, size.width(),
                                         size.height(), view.FillFactor);
        json j = {{"file", file.toStdString()},
                  {"kind", "dxf"},
                  {"status", facts.status.toStdString()},
                  {"acadver", facts.acadVer.toStdString()},
                  {"encoding", EncodingName(facts.encoding)},
                  {"read", read.is_null() ? json::object() : read},
                  {"drawable", Sizes(d, true)},
                  {"layers", layers},
                  {"extents",
                   {{"min", {d.ExtMinPt.x, d.ExtMinPt.y}}, {"max", {d.ExtMaxPt.x, d.ExtMaxPt.y}}}},
                  {"view",
                   {{"centre", {view.ViewCentre.x, view.ViewCentre.y}},
                    {"width", view.ViewWidth},
                    {"height", view.ViewHeight},
                    {"upp", upp}}},
                  {"timings_ms",
                   {{"read", facts.readMs}, {"reduce", facts.reduceMs}, {"draw", facts.drawMs}}},
                  {"digest", {{"records", RecordsDigest(d)}, {"picture", PictureDigest(picture)}}}};
        if (!convertedFrom.isEmpty()) {
            j["file"] = convertedFrom.toStdString();
            j["converted"] = true;
            j["dxf"] = file.toStdString();
        }
        std::cout << j.dump(2) << '\n';
    }
    if (dump && facts.drawn) Dump(d);
    if (!facts.drawn) {
        return Fail(
            kNotDrawable,
            file.toStdString() + ": not drawable" +
                (facts.status.isEmpty() ? "" : " (stopped at " + facts.status.toStdString() + ")"));
    }
    return kDrawn;
}

json Rect(const QRect& r) {
    return json::array({r.x(), r.y(), r.width(), r.height()});
}

template <class T> json Optional(const std::optional<T>& v) {
    return v ? json(*v) : json(nullptr);
}

int PreviewDwg(const QString& file, QSize size, bool whiteEmphasis, const QString& out,
               bool asJson) {
    QImage picture;
    ThumbnailFacts facts;
    ShowDwgThumbnail(file, size, {0, true, whiteEmphasis}, picture, &facts);
    if (!out.isEmpty() && !WritePng(picture, out)) {
        return Fail(kMissing, "cannot write " + out.toStdString());
    }
    if (asJson) {
        const QRect& c = facts.content;
        const json j = {
            {"file", file.toStdString()},
            {"kind", "dwg"},
            {"version", facts.version},
            {"seeker", Optional(facts.seeker)},
            {"image_kind", Optional(facts.imageKind)},
            {"start", Optional(facts.start)},
            {"size", Optional(facts.size)},
            {"image", facts.image ? json::array({facts.image->width(), facts.image->height()})
                                  : json(nullptr)},
            {"background",
             {qRed(facts.background), qGreen(facts.background), qBlue(facts.background)}},
            {"content", {c.left(), c.top(), c.right(), c.bottom()}},
            {"crop", Rect(facts.crop)},
            {"shown", Rect(facts.shown)},
            {"cancelled", facts.cancelled}};
        std::cout << j.dump(2) << '\n';
    }
    if (facts.cancelled) {
        return Fail(kNotDrawable, file.toStdString() + ": the preview image cannot be read");
    }
    return kDrawn;
}

struct PreviewArgs {
    std::string file, out, size = "800x600", view, converter;
    int timeout = 120;
    bool asJson = false, dump = false, whiteEmphasis = false;
};

// A DWG drawn from the DXF the converter makes of it, in a folder of its own.
int PreviewConverted(const PreviewArgs& a, const QString& dwg, QSize size,
                     const std::vector<double>& view) {
    const QString converter = QString::fromStdString(a.converter);
    if (!ConverterExists(converter)) return Fail(kMissing, a.converter + ": no converter there");
    QTemporaryDir scratch;
    if (!scratch.isValid()) return Fail(kMissing, "no folder for the converted drawing");
    ConverterCall call;
    call.converter = converter;
    call.outputFolder = scratch.path();
    call.processEvents = [] { QCoreApplication::processEvents(); };
    call.timeoutMs = a.timeout * 1000;
    const Conversion run = ConvertDwgToDxf(call, dwg, false);
    switch (run.end) {
    case RunEnd::StartFailed: return Fail(kMissing, a.converter + ": cannot start");
    case RunEnd::TimedOut:
    case RunEnd::Abandoned:
        return Fail(kMissing,
                    "the converter did not end within " + std::to_string(a.timeout) + " s");
    case RunEnd::Ended: break;
    }
    if (!run.produced) return Fail(kNotDrawable, a.file + ": the converter produced nothing");
    return PreviewDxf(run.output, size, view, QString::fromStdString(a.out), a.asJson, a.dump, dwg);
}

int RunPreview(const PreviewArgs& a) {
    const std::optional<QSize> size = ParseSize(a.size);
    if (!size)
        return Fail(kUsage, "--size must be WxH with sides from 1 to " + std::to_string(kMaxSide) +
                                ", for example 800x600");
    const std::optional<std::vector<double>> view = ParseView(a.view);
    if (!view) return Fail(kUsage, "--view must be CX,CY,W,H: four numbers, W and H above 0");
    const QString path = QString::fromStdString(a.file);
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return Fail(kMissing, a.file + ": no such readable file");
    const QString out = QString::fromStdString(a.out);
    if (a.timeout < 1) return Fail(kUsage, "--timeout must be at least 1 second");
    if (FileKindOf(path) == FileKind::Dwg)
        return a.converter.empty() ? PreviewDwg(path, *size, a.whiteEmphasis, out, a.asJson)
                                   : PreviewConverted(a, path, *size, *view);
    return PreviewDxf(path, *size, *view, out, a.asJson, a.dump);
}

} // namespace

Verb AddPreviewVerb(CLI::App& cli) {
    auto args = std::make_shared<PreviewArgs>();
    CLI::App* c =
        cli.add_subcommand("preview", "Draw a DXF or DWG file as the preview panel shows it");
    c->add_option("FILE", args->file, "drawing to preview")->required();
    c->add_option("-o,--output", args->out, "PNG file to write the picture to");
    c->add_option("--size", args->size, "picture size WxH (default 800x600)");
    c->add_option("--view", args->view, "view CX,CY,W,H instead of the extents");
    c->add_flag("--json", args->asJson, "print the preview's facts as JSON");
    c->add_flag("--dump", args->dump, "print every drawable record as one JSON line");
    c->add_flag("--white-emphasis", args->whiteEmphasis, "keep thin white lines of DWG previews");
    c->add_option("--converter", args->converter,
                  "draw a DWG from the DXF this DWG/DXF converter makes of it");
    c->add_option("--timeout", args->timeout, "seconds to wait for the converter (default 120)");
    return {c, [args] { return RunPreview(*args); }};
}

} // namespace quillon::cli
