#include "gui/window/Session.h"

#include "data/Pictures.h"

#include <cmath>

namespace tv::window {

void Session::load(data::StartupValues startup) {
    values = std::move(startup);
    files = std::make_unique<data::DataFiles>(data::ToPath(values.dataDirectory),
                                              std::move(values.language), platform.messages);
    values.language.clear();
    configuration = std::make_unique<wizard::Configuration>(*files, wizard::ValvePageLayout{});
    configuration->setMessages(&platform.messages);
}

void Session::setLanguage(const std::string& code) {
    files->setLanguage(code);
    platform.settings.save(data::kSettingsApp, data::kSettingsSection, "Language", code);
}

int Session::px(int twips) const {
    const double ppi = platform.system.layoutPixelsPerInch();
    return static_cast<int>(std::lround(twips * (ppi > 0 ? ppi : 96.0) / 1440.0));
}

QRect Session::px(const data::TwipRect& rect) const {
    return QRect(px(rect.left), px(rect.top), px(rect.width), px(rect.height));
}

data::PictureLookup Session::FindPicture(std::string_view name) const {
    return data::FindPicture(*files, name, values.pictureSuffix);
}

} // namespace tv::window
