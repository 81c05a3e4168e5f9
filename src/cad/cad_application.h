// The running CAD as the program drives it: the application (its window) and the drawing being
// edited, whose command line takes typed commands. One backend per platform; standard C++ only,
// so that the Windows backend builds without the toolkit.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace quillon {

inline constexpr char16_t kCadTitle[] = u"nanoCAD 5";
inline constexpr int kCadMinimised = 2, kCadMaximised = 3;

class CadDocument {
public:
    virtual ~CadDocument() = default;
    // The CAD runs the text as input on its command line; false when the call failed.
    virtual bool SendCommand(std::u16string_view text) = 0;
};

// Every member returns false when the call failed.
class CadApplication {
public:
    virtual ~CadApplication() = default;
    virtual bool windowState(int& state) = 0;
    virtual bool setWindowState(int state) = 0;
    virtual bool mainWindow(std::uintptr_t& handle) = 0;
    virtual bool bringToFront(std::uintptr_t handle) = 0;
    virtual std::unique_ptr<CadDocument> activeDocument() = 0;
};

// The CAD's top-level window with exactly this title: whether there is one, whether it takes
// input now, and whether the CAD answered when asked.
struct CadWindow {
    bool exists = false, enabled = false;
    bool answers = true;
};
CadWindow FindCadWindow(std::u16string_view title);

// The application object of the CAD whose window has this title; none when it cannot be made.
std::unique_ptr<CadApplication> CreateCadApplication(std::u16string_view title);

} // namespace quillon
