#pragma once

#include "data/DataFiles.h"
#include "data/TwipRect.h"

#include <array>
#include <optional>
#include <string>

namespace tv::admin {

using data::TwipRect;

// Eight data buttons are laid out; the last three (the kinds "_AKT",
// "_SPK" and "_CLD") are kept hidden.
inline constexpr int kDataButtons = 8;
inline constexpr int kVisibleDataButtons = 5;

// One option-default row: two buttons and the label that explains the
// row's state. The second button and the label have fixed widths.
struct OptionRowPlace {
    int buttonTop = 0;
    int firstLeft = 0;
    int firstWidth = 0;
    int buttonHeight = 0;
    int labelTop = 0;
    int labelLeft = 0;
    int labelHeight = 0;

    TwipRect first() const { return {buttonTop, firstLeft, firstWidth, buttonHeight}; }
    TwipRect second() const { return {buttonTop, firstLeft + firstWidth + 200, 800, buttonHeight}; }
    TwipRect label() const { return {labelTop, labelLeft, 6700, labelHeight}; }
};

// The administration screen as the section "¤ADMINSCREEN" lays it out.
// Every position is in twips from the window's top left corner; the frames
// are drawn behind the controls, not around them as parents.
struct AdminScreenLayout {
    TwipRect settingsFrame;
    std::string settingsCaption;
    TwipRect dataFrame;
    std::string dataCaption;
    TwipRect debugButton;
    TwipRect debugLabel;                      // beside the button, within the settings frame
    std::array<OptionRowPlace, 4> optionRows; // A2, LR, SK, AC
    TwipRect firstDataButton;
    int dataButtonStep = 0;
    std::array<std::string, kDataButtons> dataCaptions;
    TwipRect recordList;

    // Data button k (1 to 8): the column goes down by the step.
    TwipRect dataButton(int k) const;
    // The record status label: below the visible data buttons, where the
    // hidden sixth one stands.
    TwipRect recordStatus() const;
};

// Reads "¤ADMINSCREEN" from the parameter file; nothing when the file or
// the section is missing. A section that stops early reads its missing
// numbers as 0 and its missing texts as "", as every reader does.
std::optional<AdminScreenLayout> ReadAdminScreenLayout(const data::DataFiles& files);

} // namespace tv::admin
