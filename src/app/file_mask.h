// The file list's mask: patterns separated by ";", where "*" stands for any run of characters
// and every other character stands for itself, compared without regard to case.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

// The mask's patterns, trimmed, without empty ones.
QStringList MaskPatterns(const QString& mask);

bool MatchesMask(const QString& name, const QStringList& patterns);

} // namespace quillon
