// quillon-cli: the preview without a window, for scripts and measurements.
//   quillon-cli preview FILE [-o OUT.png] [--size WxH] [--view CX,CY,W,H] [--json] [--dump]
//   [--white-emphasis]
// Exit codes: 0 drawn, 1 file missing or unreadable, 2 usage, 3 not drawable (a DWG whose
// preview could not be loaded).
#include "dwg/thumbnail.h"
#include "dxf/reader.h"
#include "render/pipeline.h"

#include <CLI/CLI.hpp>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>

using namespace quillon;
using nlohmann::json;

namespace {

enum Exit { kDrawn = 0, kMissing = 1, kUsage = 2, kNotDrawable = 3 };

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
        if (!drawableOnly || n == "LineAry" || n == "CircleAry" || n == "ArcAry" || n == "TextAry")
            j[n] = size;
    }
    return j;
}

int PreviewDxf(const QString& file, QSize size, const std::vector<double>& viewArg,
               const QString& out, bool asJson, bool dump) {
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
        picture = RedrawCurrentView(d, view, size, false);
    }
    if (!out.isEmpty() && !picture.save(out, "PNG")) {
        std::cerr << "quillon-cli: cannot write " << out.toStdString() << '\n';
        return kMissing;
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
        const json j = {
            {"file", file.toStdString()},
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
             {{"read", facts.readMs}, {"reduce", facts.reduceMs}, {"draw", facts.drawMs}}}};
        std::cout << j.dump(2) << '\n';
    }
    if (dump && facts.drawn) Dump(d);
    if (!facts.drawn) {
        std::cerr << "quillon-cli: " << file.toStdString() << ": not drawable"
                  << (facts.status.isEmpty() ? ""
                                             : " (stopped at " + facts.status.toStdString() + ")")
                  << '\n';
        return kNotDrawable;
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
    if (!out.isEmpty() && !picture.save(out, "PNG")) {
        std::cerr << "quillon-cli: cannot write " << out.toStdString() << '\n';
        return kMissing;
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
        std::cerr << "quillon-cli: " << file.toStdString()
                  << ": the preview image cannot be read\n";
        return kNotDrawable;
    }
    return kDrawn;
}

// A picture side of at most this many pixels keeps the picture's memory bounded.
constexpr int kMaxSide = 16384;

std::optional<QSize> ParseSize(const std::string& text) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"))
                                          .match(QString::fromStdString(text));
    if (!m.hasMatch()) return std::nullopt;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return std::nullopt;
    return QSize(w, h);
}

// Empty when no view is given; nothing when the text is not four finite numbers with a width
// and height above 0.
std::optional<std::vector<double>> ParseView(const std::string& text) {
    std::vector<double> view;
    if (text.empty()) return view;
    for (const QString& part : QString::fromStdString(text).split(u',')) {
        bool ok = false;
        const double v = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v)) return std::nullopt;
        view.push_back(v);
    }
    if (view.size() != 4 || !(view[2] > 0) || !(view[3] > 0)) return std::nullopt;
    return view;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    CLI::App cli{"Quillon's drawing preview without a window"};
    cli.require_subcommand(1);
    CLI::App* preview =
        cli.add_subcommand("preview", "Draw a DXF or DWG file as the preview panel shows it");
    std::string file, out, sizeText = "800x600", viewText;
    bool asJson = false, dump = false, whiteEmphasis = false;
    preview->add_option("FILE", file, "drawing to preview")->required();
    preview->add_option("-o,--output", out, "PNG file to write the picture to");
    preview->add_option("--size", sizeText, "picture size WxH (default 800x600)");
    preview->add_option("--view", viewText, "view CX,CY,W,H instead of the extents");
    preview->add_flag("--json", asJson, "print the preview's facts as JSON");
    preview->add_flag("--dump", dump, "print every drawable record as one JSON line");
    preview->add_flag("--white-emphasis", whiteEmphasis, "keep thin white lines of DWG previews");
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return cli.exit(e); // --help
        std::cerr << "quillon-cli: " << e.what() << '\n';
        return kUsage;
    }
    const std::optional<QSize> pictureSize = ParseSize(sizeText);
    if (!pictureSize) {
        std::cerr << "quillon-cli: --size must be WxH with sides from 1 to " << kMaxSide
                  << ", for example 800x600\n";
        return kUsage;
    }
    const std::optional<std::vector<double>> view = ParseView(viewText);
    if (!view) {
        std::cerr << "quillon-cli: --view must be CX,CY,W,H: four numbers, W and H above 0\n";
        return kUsage;
    }
    const QString path = QString::fromStdString(file);
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        std::cerr << "quillon-cli: " << file << ": no such readable file\n";
        return kMissing;
    }
    if (path.endsWith(QLatin1String(".dwg"), Qt::CaseInsensitive))
        return PreviewDwg(path, *pictureSize, whiteEmphasis, QString::fromStdString(out), asJson);
    return PreviewDxf(path, *pictureSize, *view, QString::fromStdString(out), asJson, dump);
}
