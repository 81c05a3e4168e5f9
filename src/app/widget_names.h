// Controls carry their designer name as their object name.
#pragma once

#include <QString>

namespace quillon {

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace quillon
