// Layers by name: the first layer of each exact name, indexed once per drawing. Layers appended
// to the table after it was built are indexed at the next lookup, so the reader and the block
// expansion can add layers as they go.
#pragma once

#include "dxf/model.h"

#include <QHash>
#include <unordered_map>

namespace quillon {

class LayerIndex {
public:
    explicit LayerIndex(const std::vector<TLayer>& layers) : layers_(layers) {}

    // Index of the first layer named exactly `name`, -1 when there is none.
    int find(const QString& name);
    int find(const Name& name); // the same, remembered per name
    bool visible(const QString& name) { return LayerVisibleByIndex(layers_, find(name)); }
    bool visible(const Name& name) { return LayerVisibleByIndex(layers_, find(name)); }

    // The newest layer is about to get another name: it is indexed again under the new one.
    void forgetNewest();

    static bool LayerVisibleByIndex(const std::vector<TLayer>& layers, int index) {
        return index >= 0 && index < int(layers.size()) ? layers[size_t(index)].visible : true;
    }

private:
    const std::vector<TLayer>& layers_;
    QHash<QString, int> byName_;
    size_t indexed_ = 0;
    // Records of one layer share its name: the last answer is kept for the same shared text
    // (held here, so that its storage is not reused by another name).
    QString last_;
    bool primed_ = false;
    int lastIndex_ = -1;
    std::unordered_map<const void*, int> byNameId_; // by Name::id(), for layers_.size() layers
    size_t rememberedFor_ = 0;
};

// The colour number of the layer; a missing layer is added with the reader's defaults.
int16_t LayerColor(DxfDrawing& d, LayerIndex& layers, const QString& name);

inline bool LayerVisibleByIndex(const DxfDrawing& d, int index) {
    return LayerIndex::LayerVisibleByIndex(d.LayerAry, index);
}

} // namespace quillon
