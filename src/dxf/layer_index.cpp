#include "dxf/layer_index.h"

namespace quillon {

int LayerIndex::find(const QString& name) {
    const bool grown = indexed_ < layers_.size();
    for (; indexed_ < layers_.size(); ++indexed_)
        if (!byName_.contains(layers_[indexed_].Name)) // the first one wins
            byName_.insert(layers_[indexed_].Name, int(indexed_));
    if (grown || !primed_ || name.constData() != last_.constData() || name.size() != last_.size()) {
        lastIndex_ = byName_.value(name, -1);
        last_ = name;
        primed_ = true;
    }
    return lastIndex_;
}

int LayerIndex::find(const Name& name) {
    if (rememberedFor_ != layers_.size()) { // layers added: a name missing before may be there
        byNameId_.clear();
        rememberedFor_ = layers_.size();
    }
    const auto [it, added] = byNameId_.try_emplace(name.id(), -1);
    if (added) it->second = find(name.str());
    return it->second;
}

void LayerIndex::forgetNewest() {
    primed_ = false;
    byNameId_.clear();
    if (indexed_ == 0 || indexed_ != layers_.size()) return; // not indexed yet
    --indexed_;
    const auto it = byName_.constFind(layers_[indexed_].Name);
    if (it != byName_.cend() && *it == int(indexed_)) byName_.erase(it);
}

int16_t LayerColor(DxfDrawing& d, LayerIndex& layers, const QString& name) {
    const int i = layers.find(name);
    if (i >= 0) return d.LayerAry[size_t(i)].color;
    d.LayerAry.push_back(DefaultLayer(name));
    return d.LayerAry.back().color;
}

} // namespace quillon
