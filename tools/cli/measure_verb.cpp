// quillon-cli measure FILE --at X,Y [--size WxH] [--view CX,CY,W,H] [--prev X,Y] [--json]:
// a Shift + click on the preview as the window draws it, at a pixel of the picture; prints what
// the measure box would show. --prev first picks a line at another pixel, as the click before.
#include "preview/interaction.h"
#include "render/pipeline.h"
#include "verbs.h"

#include <QFileInfo>
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace quillon::cli {

namespace {

struct MeasureArgs {
    std::string file, at, size = "800x600", view, prev;
    bool asJson = false;
};

std::optional<QPoint> ParsePixel(const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(u',');
    bool okX = false, okY = false;
    if (parts.size() != 2) return std::nullopt;
    const int x = parts[0].trimmed().toInt(&okX), y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY) return std::nullopt;
    return QPoint(x, y);
}

int RunMeasure(const MeasureArgs& a) {
    const std::optional<QSize> size = ParseSize(a.size);
    if (!size)
        return Fail(kUsage, "--size must be WxH with sides from 1 to " + std::to_string(kMaxSide));
    const std::optional<std::vector<double>> view = ParseView(a.view);
    if (!view) return Fail(kUsage, "--view must be CX,CY,W,H: four numbers, W and H above 0");
    const std::optional<QPoint> at = ParsePixel(a.at);
    const std::optional<QPoint> prev =
        a.prev.empty() ? std::optional<QPoint>() : ParsePixel(a.prev);
    if (!at || (!a.prev.empty() && !prev))
        return Fail(kUsage, "--at and --prev must be X,Y pixels");
    const QString path = QString::fromStdString(a.file);
    if (!QFileInfo(path).isFile()) return Fail(kMissing, a.file + ": no such readable file");
    DxfDrawing d;
    ViewState v;
    PreviewFacts facts;
    QImage picture = DrawDxfImage(d, v, path, *size, {}, &facts);
    if (!facts.drawn) return Fail(kNotDrawable, a.file + ": not drawable");
    if (view->size() == 4) {
        v.ViewCentre = {(*view)[0], (*view)[1], 0};
        v.ViewWidth = (*view)[2];
        v.ViewHeight = (*view)[3];
        picture = RedrawCurrentView(d, v, *size);
    }
    InteractionState state;
    Canvas canvas(picture);
    std::optional<QString> shown;
    const auto click = [&](QPoint pixel) {
        const MouseEvent e{pixel, MouseButton::Left, true};
        const Reaction pressed = MouseDown(state, v, d, canvas, e);
        const Reaction released = MouseUp(state, v, d, canvas, e);
        shown = released.measure ? released.measure : pressed.measure;
    };
    if (prev) click(*prev);
    click(*at);
    const Picked p = CurrentPick(state);
    if (p.kind == Picked::None) return Fail(kNotDrawable, "nothing to pick there");
    if (a.asJson) {
        static const char* kinds[] = {"none", "line", "circle", "arc", "text"};
        const size_t i = size_t(p.index);
        const QString layer = p.kind == Picked::Line     ? d.LineAry[i].layer
                              : p.kind == Picked::Circle ? d.CircleAry[i].layer
                              : p.kind == Picked::Arc    ? d.ArcAry[i].layer
                                                         : d.TextAry[i].layer;
        const double value = p.kind == Picked::Line
                                 ? std::hypot(d.LineAry[i].ed.x - d.LineAry[i].st.x,
                                              d.LineAry[i].ed.y - d.LineAry[i].st.y)
                             : p.kind == Picked::Circle ? d.CircleAry[i].hankei
                             : p.kind == Picked::Arc    ? d.ArcAry[i].hankei
                                                        : d.TextAry[i].code40;
        std::cout << nlohmann::json{{"kind", kinds[p.kind]},
                                    {"index", p.index},
                                    {"layer", layer.toStdString()},
                                    {"value", value},
                                    {"text", shown.value_or(QString()).toStdString()}}
                         .dump(2)
                  << '\n';
    } else {
        std::cout << shown.value_or(QString()).toStdString() << '\n';
    }
    return kDrawn;
}

} // namespace

Verb AddMeasureVerb(CLI::App& cli) {
    auto args = std::make_shared<MeasureArgs>();
    CLI::App* c = cli.add_subcommand("measure", "Pick and measure at a pixel of a DXF preview");
    c->add_option("FILE", args->file, "DXF drawing")->required();
    c->add_option("--at", args->at, "the pixel X,Y of the Shift + click")->required();
    c->add_option("--size", args->size, "picture size WxH (default 800x600)");
    c->add_option("--view", args->view, "view CX,CY,W,H instead of the extents");
    c->add_option("--prev", args->prev, "the pixel X,Y of a click before it");
    c->add_flag("--json", args->asJson, "print the kind, index, layer and value picked");
    return {c, [args] { return RunMeasure(*args); }};
}

} // namespace quillon::cli
