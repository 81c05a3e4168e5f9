#include "cli_common.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <iostream>

namespace quillon::cli {

int Fail(int code, const std::string& reason) {
    std::cerr << "quillon-cli: " << reason << '\n';
    return code;
}

std::optional<QSize> ParseSize(const std::string& text) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"))
                                          .match(QString::fromStdString(text));
    if (!m.hasMatch()) return std::nullopt;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return std::nullopt;
    return QSize(w, h);
}

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

} // namespace quillon::cli
