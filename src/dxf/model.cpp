#include "dxf/model.h"

namespace quillon {

TLayer DefaultLayer(const QString& name) {
    TLayer l;
    l.Name = name;
    l.color = 7;
    l.code70 = 0;
    l.ltype = QStringLiteral("CONTINUOUS");
    l.visible = true;
    return l;
}

int16_t LayerColor(DxfDrawing& d, const QString& name) {
    for (const TLayer& l : d.LayerAry)
        if (l.Name == name) return l.color;
    d.LayerAry.push_back(DefaultLayer(name));
    return 7;
}

} // namespace quillon
