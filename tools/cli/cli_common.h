// What every verb of quillon-cli shares: exit codes, one-line errors, argument parsing.
#pragma once

#include <QSize>
#include <optional>
#include <string>
#include <vector>

namespace quillon::cli {

// Exit codes: 0 done, 1 a file missing or unreadable (or a program that could not start),
// 2 usage, 3 not drawable or nothing produced.
enum Exit { kDrawn = 0, kMissing = 1, kUsage = 2, kNotDrawable = 3 };

// Writes "quillon-cli: <reason>" as one line on stderr and returns the code.
int Fail(int code, const std::string& reason);

// "WxH" with sides from 1 to kMaxSide; nothing when malformed.
inline constexpr int kMaxSide = 16384;
std::optional<QSize> ParseSize(const std::string& text);

// "CX,CY,W,H": empty when no view is given; nothing when not four finite numbers with a width and
// height above 0.
std::optional<std::vector<double>> ParseView(const std::string& text);

} // namespace quillon::cli
