#include "platform/WindowSearch.h"

namespace tv::platform {

std::vector<std::string> FakeWindowSearch::topLevelTitles() const {
    ++searches;
    return titles;
}

} // namespace tv::platform
