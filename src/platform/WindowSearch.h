#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tv::platform {

// The desktop's list of top-level windows, as far as their titles go.
class WindowSearch {
public:
    virtual ~WindowSearch() = default;

    // The titles of the top-level windows in their stacking order, topmost
    // first, in Windows-1252, each at most kMaxTitle bytes. Windows without
    // a title are left out. Empty when there is no desktop to ask.
    virtual std::vector<std::string> topLevelTitles() const = 0;

    // A title is read into a buffer of 256 characters with its terminator.
    static constexpr std::size_t kMaxTitle = 255;
};

// Test double: answers with `titles` and counts the searches.
class FakeWindowSearch final : public WindowSearch {
public:
    FakeWindowSearch() = default;
    explicit FakeWindowSearch(std::vector<std::string> titlesTopmostFirst)
        : titles(std::move(titlesTopmostFirst)) {}

    std::vector<std::string> topLevelTitles() const override;

    std::vector<std::string> titles;
    mutable int searches = 0;
};

} // namespace tv::platform
