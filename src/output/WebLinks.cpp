#include "output/WebLinks.h"

namespace tv::output {

void LaunchURL(platform::Shell& shell, std::string_view address) {
    if (address.empty())
        return;
    // A refusal changes nothing the user could act on, so it is not reported.
    (void)shell.open(address);
}

std::string StartScreenLink(std::string_view control, std::string_view headAddress) {
    if (control == kStartScreenHead)
        return std::string(headAddress);
    if (control == kStartScreenPicture1)
        return kMakerHomePage;
    if (control == kStartScreenPicture2)
        return kConfiguratorPage;
    return {};
}

} // namespace tv::output
