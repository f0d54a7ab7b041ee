#pragma once

#include "platform/WindowSearch.h"

#include <string>

namespace tv::platform {

// The window list of an X display. Each search opens the display, reads the
// stacking order and the titles, and closes it again, so a display that
// comes or goes between searches is simply seen as it is.
//
// The order is the window manager's client stacking list when it keeps one;
// without it, the root window's children from the top down, where a child
// without a title of its own (a window manager's frame) stands for the first
// titled window one level below it. A title is the UTF-8 _NET_WM_NAME,
// else WM_NAME. Hidden windows count like shown ones.
class X11WindowSearch final : public WindowSearch {
public:
    // An empty name means the display named by $DISPLAY.
    explicit X11WindowSearch(std::string displayName = {});

    std::vector<std::string> topLevelTitles() const override;

private:
    std::string displayName_;
};

} // namespace tv::platform
