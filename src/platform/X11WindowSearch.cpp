#include "platform/X11WindowSearch.h"

#include "platform/Cp1252.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <optional>

namespace tv::platform {

namespace {

// A window may be destroyed between listing it and reading its title; the
// request then fails and the window is passed over. Every other error of the
// search is passed over too: a failed search must never end the program.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// A display that goes away in the middle of a search: the requests after it
// return at once, and the search ends with what it has.
int IgnoreIoError(Display*) {
    return 0;
}

void KeepRunning(Display*, void* lost) {
    *static_cast<bool*>(lost) = true;
}

// The handlers are process-wide; the ones in place before the search are put
// back after it.
class ErrorHandlers {
public:
    ErrorHandlers()
        : error_(XSetErrorHandler(IgnoreError)), ioError_(XSetIOErrorHandler(IgnoreIoError)) {}
    ~ErrorHandlers() {
        XSetErrorHandler(error_);
        XSetIOErrorHandler(ioError_);
    }
    ErrorHandlers(const ErrorHandlers&) = delete;
    ErrorHandlers& operator=(const ErrorHandlers&) = delete;

private:
    XErrorHandler error_;
    XIOErrorHandler ioError_;
};

struct Search {
    Display* display;
    Atom utf8String;
    Atom netWmName;
    bool lost = false;
};

std::string Truncated(std::string title) {
    if (title.size() > WindowSearch::kMaxTitle)
        title.resize(WindowSearch::kMaxTitle);
    return title;
}

std::optional<std::string> NetWmName(Search& search, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    // 1024 longs: far more than the 255 characters a title keeps.
    const int status =
        XGetWindowProperty(search.display, window, search.netWmName, 0, 1024, False,
                           search.utf8String, &type, &format, &count, &remaining, &data);
    std::optional<std::string> title;
    if (status == Success && type == search.utf8String && format == 8 && data && count > 0)
        title = Utf8ToCp1252(std::string(reinterpret_cast<const char*>(data), count));
    if (data)
        XFree(data);
    return title;
}

std::optional<std::string> WmName(Search& search, Window window) {
    XTextProperty property{};
    if (!XGetWMName(search.display, window, &property) || !property.value)
        return std::nullopt;
    std::optional<std::string> title;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(search.display, &property, &list, &count) >= Success && list &&
        count > 0) {
        title = Utf8ToCp1252(list[0]);
    } else if (property.format == 8) {
        // A plain STRING is Latin-1, which Windows-1252 holds byte for byte.
        title = std::string(reinterpret_cast<const char*>(property.value), property.nitems);
    }
    if (list)
        XFreeStringList(list);
    XFree(property.value);
    return title;
}

std::string Title(Search& search, Window window) {
    if (search.lost)
        return {};
    std::optional<std::string> title = NetWmName(search, window);
    if (!title && !search.lost)
        title = WmName(search, window);
    return title ? Truncated(*title) : std::string();
}

// The stacking order the window manager keeps, bottom first, when it keeps one.
std::optional<std::vector<Window>> ClientStacking(Search& search, Window root) {
    const Atom stacking = XInternAtom(search.display, "_NET_CLIENT_LIST_STACKING", True);
    if (stacking == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(search.display, root, stacking, 0, 1L << 16, False,
                                          XA_WINDOW, &type, &format, &count, &remaining, &data);
    std::optional<std::vector<Window>> windows;
    if (status == Success && type == XA_WINDOW && format == 32 && data) {
        // Format 32 comes as an array of long, whatever the width of long.
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        windows = std::vector<Window>(ids, ids + count);
    }
    if (data)
        XFree(data);
    return windows;
}

// Children of a window, bottom first.
std::vector<Window> Children(Search& search, Window parent) {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> windows;
    if (XQueryTree(search.display, parent, &root, &parentOfParent, &children, &count) && children)
        windows.assign(children, children + count);
    if (children)
        XFree(children);
    return windows;
}

std::string FrameTitle(Search& search, Window frame) {
    std::string title = Title(search, frame);
    if (!title.empty())
        return title;
    std::vector<Window> inner = Children(search, frame);
    for (auto it = inner.rbegin(); it != inner.rend() && title.empty(); ++it)
        title = Title(search, *it);
    return title;
}

} // namespace

X11WindowSearch::X11WindowSearch(std::string displayName) : displayName_(std::move(displayName)) {}

std::vector<std::string> X11WindowSearch::topLevelTitles() const {
    ErrorHandlers handlers;
    Display* display = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
    if (!display)
        return {};
    Search search{display, XInternAtom(display, "UTF8_STRING", False),
                  XInternAtom(display, "_NET_WM_NAME", False)};
    XSetIOErrorExitHandler(display, KeepRunning, &search.lost);

    const Window root = DefaultRootWindow(display);
    std::vector<std::string> titles;
    if (std::optional<std::vector<Window>> clients = ClientStacking(search, root)) {
        for (auto it = clients->rbegin(); it != clients->rend(); ++it) {
            std::string title = Title(search, *it);
            if (!title.empty())
                titles.push_back(std::move(title));
        }
    } else {
        const std::vector<Window> topLevel = Children(search, root);
        for (auto it = topLevel.rbegin(); it != topLevel.rend() && !search.lost; ++it) {
            std::string title = FrameTitle(search, *it);
            if (!title.empty())
                titles.push_back(std::move(title));
        }
    }
    XCloseDisplay(display);
    return titles;
}

} // namespace tv::platform
