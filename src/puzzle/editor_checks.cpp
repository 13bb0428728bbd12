#include "puzzle/editor_checks.h"

#include <algorithm>

#include "resources/anim_timing.h"
#include "platform/clock.h"
#include "puzzle/editor_history.h"
#include "puzzle/match3_hint.h"

std::string LayoutErrorTextKey(int error) {
    const int key = error >= LAYOUT_NO_FLOOR && error <= LAYOUT_LAST_ERROR ? error : LAYOUT_NO_START;
    return "Editor Error " + std::to_string(key);
}

int QuickLayoutError(TCellBox& box) {
    if (box.GetLayoutCellNotEmptyCount() == 0) return LAYOUT_NO_FLOOR;
    if (box.GetLayoutCellMarbleCount() == 0) return LAYOUT_NO_MARBLE;
    if (box.GetLayoutCellFillCount() == 0) return LAYOUT_NO_FILL;
    if (box.GetLayoutCellCreateCount() == 0) return LAYOUT_NO_CREATE;
    // One gem kind on every starting gem: is any swap able to line gems up at all?
    TMatch3HintList hints;
    box.FillLevel(1, 0);
    box.CreateHintList(hints);
    box.FillLevel(0, 0);
    if (!hints.Items.empty()) return LAYOUT_VALID;
    // The trial leaves creation cells empty: say so when gems there would have made the move.
    box.FillLevel(1, 1);
    box.CreateHintList(hints);
    box.FillLevel(0, 1);
    return hints.Items.empty() ? LAYOUT_NO_MOVE : LAYOUT_CREATE_EMPTY;
}

int FairnessError(const TCellBox& box, std::optional<TCellPosition>& cell) {
    cell.reset();
    const auto faults = LayoutFaults(LayoutGridOf(box));
    for (const auto& [kind, error] : {std::pair{ELayoutFault::CreateUnderFloor, LAYOUT_CREATE_UNDER_FLOOR},
                                      std::pair{ELayoutFault::Unfed, LAYOUT_UNFED},
                                      std::pair{ELayoutFault::MarbleOutsideLine, LAYOUT_MARBLE_NO_LINE}})
        for (const TLayoutFault& fault : faults)
            if (fault.Kind == kind) {
                cell = TCellPosition{fault.Column, fault.Row};
                return error;
            }
    return LAYOUT_VALID;
}

int FullLayoutError(TCellBox& box, std::optional<TCellPosition>& cell) {
    cell.reset();
    if (const int error = QuickLayoutError(box)) return error;
    TDealCheck deals(box);
    while (!deals.Step(TDealCheck::ATTEMPTS)) {
    }
    if (!deals.Passed()) return LAYOUT_NO_START;
    return FairnessError(box, cell);
}

int FullLayoutError(TCellBox& box) {
    std::optional<TCellPosition> cell;
    return FullLayoutError(box, cell);
}

// ---- trial deals ------------------------------------------------------------------

TDealCheck::TDealCheck(const TCellBox& layout)
    : trial_(layout.Clone()), random_(LayoutSeed(LayoutGridOf(layout))) {
    trial_->IsLevelEditor = 0;
    trial_->GameMode = nullptr;
}

bool TDealCheck::Step(int attempts) {
    const plat::TScopedRnd own(random_);
    // Every attempt deals the whole board afresh, so a deal spread over
    // several steps is the same deal as one made at once.
    while (!done_ && attempts > 0) {
        const int made = trial_->GenerateLevel(std::min(attempts, attemptsLeft_));
        attempts -= made;
        attempts_ += made;
        attemptsLeft_ -= made;
        if (!trial_->OwnHints.Items.empty()) {
            attemptsLeft_ = ATTEMPTS;
            done_ = passed_ = ++deal_ == DEALS;
        } else if (attemptsLeft_ <= 0) {
            done_ = true;
        }
    }
    return done_;
}

// ---- the live verdict -------------------------------------------------------------

void TLiveVerdict::Changed(TCellBox& box) {
    judged_ = LayoutGridOf(box);
    quickError_ = QuickLayoutError(box);
    fairError_ = FairnessError(box, fairCell_);
    deal_.reset();
    dealDone_ = dealPassed_ = false;
    stillTicks_ = 0;
}

void TLiveVerdict::Tick(TCellBox& box, float ticks, bool painting) {
    if (!SameLayout(LayoutGridOf(box), judged_)) Changed(box);
    if (quickError_ != LAYOUT_VALID || dealDone_) return;
    // The still time counts from the end of the last stroke.
    stillTicks_ = painting ? 0 : stillTicks_ + ticks;
    if (stillTicks_ < AnimTiming().CalcAnimLength(STILL_MS)) return;
    if (!deal_) deal_ = std::make_unique<TDealCheck>(box);
    if (!deal_->Step(ATTEMPTS_PER_TICK)) return;
    dealDone_ = true;
    dealPassed_ = deal_->Passed();
    deal_.reset();
}

int TLiveVerdict::Answer() const {
    if (quickError_ != LAYOUT_VALID) return quickError_;
    if (dealDone_ && !dealPassed_) return LAYOUT_NO_START;
    // Until the deals are known, a fault they cannot hide is told already.
    if (fairError_ != LAYOUT_VALID) return fairError_;
    return dealDone_ ? LAYOUT_VALID : CHECKING;
}

std::optional<TCellPosition> TLiveVerdict::FaultCell() const {
    const int answer = Answer();
    return answer >= LAYOUT_CREATE_UNDER_FLOOR ? fairCell_ : std::nullopt;
}
