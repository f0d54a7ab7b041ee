#include "gui/window/Session.h"

#include "data/Pictures.h"

#include <cmath>

namespace tv::window {

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
