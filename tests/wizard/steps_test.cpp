#include "wizard/Steps.h"

#include <gtest/gtest.h>

namespace tv::wizard {
namespace {

using Next = Steps::Progress::Next;

std::array<bool, 16> Chosen(int first, int last) {
    std::array<bool, 16> flags{};
    for (int position = first; position <= last; ++position)
        flags[static_cast<std::size_t>(position)] = true;
    return flags;
}

// Reaches a step the way the window does.
Steps At(std::int16_t step) {
    Steps steps;
    const auto all = Chosen(1, 12);
    if (step == Steps::kStartScreen)
        steps.showStartScreen();
    if (step == Steps::kTypeChosen)
        steps.chooseValveType();
    if (step >= Steps::kChoosingValve && step <= Steps::kResult)
        steps.update(Chosen(1, 4));
    if (step >= Steps::kConnectionPage && step <= Steps::kResult)
        steps.next();
    if (step >= Steps::kChoosingConnections && step <= Steps::kResult)
        steps.update(step == Steps::kChoosingConnections ? Chosen(1, 4) : all);
    if (step == Steps::kResult)
        steps.next();
    if (step >= Steps::kCodeEntry && step <= Steps::kCodeResult)
        steps.showCodeEntry();
    if (step >= Steps::kCodeTyped && step <= Steps::kCodeResult)
        steps.typeCode();
    if (step == Steps::kCodeResult)
        steps.next();
    EXPECT_EQ(steps.iProgressCode(), step) << "could not reach the step";
    return steps;
}

TEST(StepsTest, AChoiceEnablesNextOnlyWhenThePageIsComplete) {
    struct Row {
        std::int16_t from;
        std::array<bool, 16> flags;
        std::int16_t to;
        Next next;
        bool focusNext;
        const char* why;
    } rows[] = {
        {Steps::kValvePage, Chosen(1, 3), Steps::kChoosingValve, Next::kDisabled, false,
         "an option still open"},
        {Steps::kTypeChosen, Chosen(1, 4), Steps::kChoosingValve, Next::kEnabled, true,
         "the valve page complete: the keyboard goes to Next"},
        {Steps::kConnectionPage, Chosen(1, 11), Steps::kChoosingConnections, Next::kDisabled, false,
         "the last connection still open"},
        {Steps::kChoosingConnections, Chosen(1, 12), Steps::kConnectionsChosen, Next::kEnabled,
         false, "every connection chosen"},
        {Steps::kConnectionsChosen, Chosen(1, 4), Steps::kConnectionsChosen, Next::kAsItWas, false,
         "complete stays complete"},
    };
    for (const Row& row : rows) {
        Steps steps = At(row.from);
        const Steps::Progress progress = steps.update(row.flags);
        EXPECT_EQ(steps.iProgressCode(), row.to) << row.why;
        EXPECT_EQ(progress.next, row.next) << row.why;
        EXPECT_EQ(progress.focusNext, row.focusNext) << row.why;
        EXPECT_FALSE(progress.unexpected) << row.why;
    }
    for (std::int16_t outside : {Steps::kResult, Steps::kCodeEntry, Steps::kStartScreen}) {
        Steps steps = At(outside);
        EXPECT_TRUE(steps.update(Chosen(1, 12)).unexpected) << outside;
        EXPECT_EQ(steps.iProgressCode(), outside) << "left alone";
    }
}

TEST(StepsTest, NextAndBackFollowTheRoadTheUserCame) {
    using Action = Steps::NextAction;
    struct Row {
        std::int16_t from;
        Action action;
        std::int16_t to;
    } rows[] = {
        {Steps::kValvePage, Action::kOpenConnectionPage, Steps::kConnectionPage},
        {Steps::kChoosingValve, Action::kOpenConnectionPage, Steps::kConnectionPage},
        {Steps::kConnectionsChosen, Action::kOpenResult, Steps::kResult},
        {Steps::kCodeTyped, Action::kOpenResultFromCode, Steps::kCodeResult},
        {Steps::kChoosingConnections, Action::kUnexpected, Steps::kChoosingConnections},
        {Steps::kCodeEntry, Action::kUnexpected, Steps::kCodeEntry},
    };
    for (const Row& row : rows) {
        Steps steps = At(row.from);
        EXPECT_EQ(steps.next(), row.action) << row.from;
        EXPECT_EQ(steps.iProgressCode(), row.to) << row.from;
    }

    Steps fromPages = At(Steps::kResult);
    EXPECT_EQ(fromPages.backFromResult(), Steps::BackAction::kToConnectionPage);
    EXPECT_EQ(fromPages.iProgressCode(), Steps::kConnectionsChosen) << "Next opens it again";
    Steps fromCode = At(Steps::kCodeResult);
    EXPECT_EQ(fromCode.backFromResult(), Steps::BackAction::kToCodeEntry);
}

TEST(StepsTest, TheCodeBoxCountsOnlyOnceCodeEntryIsOpen) {
    for (std::int16_t step : {Steps::kValvePage, Steps::kConnectionsChosen, Steps::kResult}) {
        Steps steps = At(step);
        EXPECT_FALSE(steps.typeCode()) << step;
        EXPECT_EQ(steps.iProgressCode(), step);
    }
    Steps steps = At(Steps::kCodeEntry);
    EXPECT_TRUE(steps.typeCode());
    EXPECT_EQ(steps.iProgressCode(), Steps::kCodeTyped);
    EXPECT_TRUE(steps.pastValvePage());
    EXPECT_FALSE(At(Steps::kChoosingValve).pastValvePage());
}

} // namespace
} // namespace tv::wizard
