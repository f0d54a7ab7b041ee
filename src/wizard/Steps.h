#pragma once

#include <array>
#include <cstdint>

namespace tv::wizard {

// Where the user stands in the window (iProgressCode) and what Next, Back
// and "Start ny" do from there. The window shows what these say; the
// numbers are the ones the debug messages name.
class Steps {
public:
    static constexpr std::int16_t kValvePage = 0;     // laid out, nothing chosen
    static constexpr std::int16_t kTypeChosen = 1;    // a valve type, the lists filled
    static constexpr std::int16_t kChoosingValve = 2; // dimension, accessory, options
    static constexpr std::int16_t kConnectionPage = 3;
    static constexpr std::int16_t kChoosingConnections = 4;
    static constexpr std::int16_t kConnectionsChosen = 5;
    static constexpr std::int16_t kResult = 6; // reached through the pages
    static constexpr std::int16_t kCodeEntry = 10;
    static constexpr std::int16_t kCodeTyped = 11;
    static constexpr std::int16_t kCodeResult = 12; // reached from a typed code
    static constexpr std::int16_t kStartScreen = 21;

    std::int16_t iProgressCode() const { return step_; }

    void showStartScreen() { step_ = kStartScreen; }
    void resetValvePage() { step_ = kValvePage; }
    void chooseValveType() { step_ = kTypeChosen; }
    void showCodeEntry() { step_ = kCodeEntry; }
    // A code recalled from the settings stands in the box as if typed.
    void recallCode() { step_ = kCodeTyped; }
    void startNew() { step_ = kValvePage; }

    // The connection page has been opened: a press on the valve picture
    // then asks for help instead of changing the type.
    bool pastValvePage() const { return step_ >= kConnectionPage; }

    // A change of the code box counts only once code entry is open (the
    // box is also filled while the valve page is built); it then stands at
    // kCodeTyped until Next.
    bool typeCode();

    // After a choice: whether Next may be pressed (unset: as it was), and
    // whether the keyboard goes to it. A step the pages do not know is
    // reported as unexpected and left alone.
    struct Progress {
        enum class Next { kAsItWas, kDisabled, kEnabled } next = Next::kAsItWas;
        bool focusNext = false;
        bool unexpected = false;
    };
    Progress update(const std::array<bool, 16>& positionFlags);

    enum class NextAction {
        kOpenConnectionPage,
        kOpenResult,         // and keep the code as the last one
        kOpenResultFromCode, // the typed code was kept already
        kUnexpected,
    };
    NextAction next();

    enum class BackAction { kToCodeEntry, kToConnectionPage };
    // The result screen's Back: to where the result was reached from.
    BackAction backFromResult();

private:
    std::int16_t step_ = kValvePage;
};

} // namespace tv::wizard
