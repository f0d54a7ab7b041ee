#include "wizard/Steps.h"

namespace tv::wizard {

namespace {

// Positions first..last of the code all chosen.
bool AllChosen(const std::array<bool, 16>& flags, int first, int last) {
    for (int position = first; position <= last; ++position) {
        if (!flags[static_cast<std::size_t>(position)])
            return false;
    }
    return true;
}

} // namespace

bool Steps::typeCode() {
    if (step_ < kCodeEntry)
        return false;
    step_ = kCodeTyped;
    return true;
}

Steps::Progress Steps::update(const std::array<bool, 16>& positionFlags) {
    using Next = Progress::Next;
    if (step_ <= kChoosingValve) {
        step_ = kChoosingValve;
        const bool complete = AllChosen(positionFlags, 1, 4);
        return {complete ? Next::kEnabled : Next::kDisabled, complete, false};
    }
    if (step_ == kConnectionPage || step_ == kChoosingConnections) {
        const bool complete = AllChosen(positionFlags, 5, 12);
        step_ = complete ? kConnectionsChosen : kChoosingConnections;
        return {complete ? Next::kEnabled : Next::kDisabled, false, false};
    }
    if (step_ == kConnectionsChosen)
        return {};
    return {Next::kAsItWas, false, true};
}

Steps::NextAction Steps::next() {
    if (step_ == kCodeTyped) {
        step_ = kCodeResult;
        return NextAction::kOpenResultFromCode;
    }
    if (step_ <= kChoosingValve) {
        step_ = kConnectionPage;
        return NextAction::kOpenConnectionPage;
    }
    if (step_ == kConnectionsChosen) {
        step_ = kResult;
        return NextAction::kOpenResult;
    }
    return NextAction::kUnexpected;
}

Steps::BackAction Steps::backFromResult() {
    if (step_ == kCodeResult)
        return BackAction::kToCodeEntry;
    step_ = kConnectionsChosen;
    return BackAction::kToConnectionPage;
}

} // namespace tv::wizard
