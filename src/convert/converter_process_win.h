// The converter started through the shell with its quoted parameters and watched through its
// process handle: Win32 and standard C++ only, adapted to the converter's interface on the Qt
// side (converter_shell.cpp).
#pragma once

#include <string>

namespace quillon {

class ShellConverter {
public:
    ShellConverter() = default;
    ~ShellConverter();
    ShellConverter(const ShellConverter&) = delete;
    ShellConverter& operator=(const ShellConverter&) = delete;

    // Starts the converter with the parameter string, its window shown or hidden. False when it
    // cannot be started; the shell shows no message of its own then, the caller does.
    bool start(const std::wstring& converter, const std::wstring& parameters, bool showWindow);
    // Waits up to a millisecond; true once the converter has ended.
    bool ended();
    // Ends a converter that still runs, and returns once it has ended.
    void stop();

private:
    void* process_ = nullptr;
};

} // namespace quillon
