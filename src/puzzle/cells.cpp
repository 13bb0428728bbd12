#include "puzzle/cells.h"

#include <cmath>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "platform/clock.h"
#include "puzzle/cell_box.h"
#include "puzzle/game_play.h"

namespace {

constexpr float DESTROY_MS = 200;
constexpr int SCORE_LABEL_MS = 400;
constexpr int SCORE_LABEL_RISE = 50;
constexpr int SCORE_NORMAL = 25;
constexpr int SCORE_MARBLE = 50;

void DrawAt(const plat::ImagePtr& image, int x, int y) {
    if (image) plat::DrawImage(*image, static_cast<float>(x), static_cast<float>(y));
}

}  // namespace

// ---- TGlow -------------------------------------------------------------------

TGlow TGlow::Create(float speed, float modifier, float start, float end) {
    TGlow glow;
    glow.GlowCounter.Init(start, end, speed);
    glow.GlowModifier = modifier;
    return glow;
}

void TGlow::Reset() {
    GlowCounter.Init(GlowCounter.StartPoint, GlowCounter.EndPoint, GlowCounter.Speed);
    numWraps = 0;
    lastCounter = 0;
}

void TGlow::Logic() {
    GlowCounter.Manage();
    Glow = GlowModifier * std::fabs(static_cast<float>(plat::SinD(GlowCounter.Counter)));
}

void TGlow::CheckCounter() {
    if (lastCounter > GlowCounter.Counter) ++numWraps;
    lastCounter = GlowCounter.Counter;
}

void TGlow::Process1_StartGlow() const {
    plat::SetBlend(plat::LIGHTBLEND);
    const int grey = static_cast<int>(std::lround(255.0f * Glow));
    plat::SetColor(grey, grey, grey);
}

void TGlow::Process2_EndGlow() {
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(255, 255, 255);
}

// ---- TLinePosition -------------------------------------------------------------

TLinePosition TLinePosition::Start(int startX, int startY, int endX, int endY, int lengthMs) {
    TLinePosition line;
    line.StartX = startX;
    line.StartY = startY;
    line.EndX = endX;
    line.EndY = endY;
    line.Length = lengthMs;
    line.Animation = TAnimation(static_cast<float>(lengthMs));
    line.Animation.Start();
    return line;
}

void TLinePosition::Manage() { Animation.Manage(); }

int TLinePosition::GetCurrentX() const {
    if (!Animation.Active) return -1;
    return static_cast<int>(std::lround(StartX + Animation.GetRatioInv() * static_cast<float>(EndX - StartX)));
}

int TLinePosition::GetCurrentY() const {
    if (!Animation.Active) return -1;
    return static_cast<int>(std::lround(StartY + Animation.GetRatioInv() * static_cast<float>(EndY - StartY)));
}

bool TLinePosition::IsFinished() const { return !Animation.Active; }

// ---- TLayoutCell -----------------------------------------------------------------

void TLayoutCell::Create(TCellBox* box, int column, int row) {
    *this = TLayoutCell();
    CellBox = box;
    ArrayX = column;
    ArrayY = row;
    X = box->DrawStartX + CELL_SIZE * column;
    Y = box->DrawStartY + CELL_SIZE * row;
}

TLayoutCell TLayoutCell::Clone(TCellBox* box) const {
    TLayoutCell copy = *this;
    copy.CellBox = box;
    return copy;
}

bool TLayoutCell::IsMouseOver() const {
    const auto& mouse = Game().Mouse;
    return std::abs(mouse.x - X) <= 17 && std::abs(mouse.y - Y) <= 17;
}

bool TLayoutCell::IsHighlighted() const {
    const auto& hooks = PuzzleHooks();
    const bool menuShown = hooks.InGameMenuShown && hooks.InGameMenuShown();
    // Nothing under a menu or an open dialog lights up.
    return IsMouseOver() && !menuShown && !GameState().stateFinished && !GameState().disableButtons;
}

void TLayoutCell::DrawFloor(const plat::ImagePtr& plain, const plat::ImagePtr& mouseOver) const {
    DrawAt(IsHighlighted() ? mouseOver : plain, X, Y);
}

void TLayoutCell::DrawNormalCell() const { DrawFloor(CellBox->LayoutNormalImage, CellBox->LayoutNormalMOImage); }

void TLayoutCell::DrawMarbleCell() const { DrawFloor(CellBox->LayoutMarbleImage, CellBox->LayoutMarbleMOImage); }

void TLayoutCell::DrawEmptyCell() const {
    if (TCellBox::IsInterior(ArrayX, ArrayY)) DrawAt(CellBox->LayoutEmptyImage, X, Y);
}

void TLayoutCell::DrawWall() const {
    DrawAt(WallImage, X, Y);
    DrawAt(DecorationImage, X, Y);
}

void TLayoutCell::Draw() const {
    switch (Contents) {
        case FLOOR_NONE:
            if (CellBox->IsLevelEditor) DrawEmptyCell();
            DrawWall();
            break;
        case FLOOR_NORMAL:
            DrawNormalCell();
            break;
        default:
            DrawMarbleCell();
            break;
    }
    if (CellBox->IsLevelEditor) DrawOverlay();
}

void TLayoutCell::DrawOverlay() const {
    if (IsChain) DrawAt(CellBox->LayoutChainImage, X, Y);
    if (!CellBox->IsLevelEditor) return;
    if (IsCreate) CellBox->DrawCreateMark(X, Y);
    if (Contents != FLOOR_NONE && !IsFill) DrawAt(CellBox->LayoutFillImage, X, Y);
}

// ---- TCell -----------------------------------------------------------------------

std::shared_ptr<TCell> TCell::Create(TCellBox* box, int column, int row) {
    auto cell = std::make_shared<TCell>();
    cell->CellBox = box;
    cell->ArrayX = column;
    cell->ArrayY = row;
    cell->X = cell->GetCalculatedX();
    cell->Y = cell->GetCalculatedY();
    return cell;
}

std::shared_ptr<TCell> TCell::Clone(TCellBox* box) const {
    auto copy = std::make_shared<TCell>(*this);
    copy->CellBox = box;
    copy->Particle.reset();
    return copy;
}

TLayoutCell& TCell::Floor() const { return CellBox->Layout[ArrayX][ArrayY]; }

void TCell::SetContents(int kind) {
    Contents = kind;
    ContentsImage = (kind > 0 && kind <= GEM_KINDS) ? CellBox->GemImages[kind] : nullptr;
}

void TCell::ClearContents() {
    Contents = 0;
    ContentsImage.reset();
}

void TCell::ClearBonus() {
    if (Floor().Contents == FLOOR_MARBLE) Floor().Contents = FLOOR_NORMAL;
}

void TCell::ClearChain() { Floor().IsChain = 0; }

void TCell::ClearMatchedCell() {
    ClearContents();
    ClearBonus();
    ClearChain();
}

void TCell::SetMarked() { Glow = TGlow::Create(0.5f, 0.3f, 0, 360); }

void TCell::ClearMarked() { Glow.reset(); }

int TCell::GetCalculatedX() const { return CellBox->DrawStartX + CELL_SIZE * ArrayX; }

int TCell::GetCalculatedY() const { return CellBox->DrawStartY + CELL_SIZE * ArrayY; }

void TCell::StartDestroyAnimation() {
    ScoreType = Floor().Contents;
    DestroyAnimation = TAnimation(DESTROY_MS);
    DestroyAnimation->Start();
    const int x = GetCalculatedX();
    const int y = GetCalculatedY();
    Particle.reset();
    if (const auto& create = PuzzleHooks().CreateCellEffect) Particle = create(ScoreType == FLOOR_MARBLE ? 2 : 1, x, y);
    ScorePosition = TLinePosition::Start(x, y, x, y - SCORE_LABEL_RISE, SCORE_LABEL_MS);
    GamePlay().ScoreAdder += ScoreType == FLOOR_MARBLE ? SCORE_MARBLE : SCORE_NORMAL;
}

void TCell::Manage() {
    if (MoveLine) MoveLine->Manage();
    if (DestroyAnimation) {
        DestroyAnimation->Manage();
        if (!DestroyAnimation->Active) EndDestroy();
    }
    ManageEffects();
    if (AppearAnimation) {
        AppearAnimation->Manage();
        if (!AppearAnimation->Active) AppearAnimation.reset();
    }
    CheckEmptyTopRow();
}

void TCell::ManageEffects() {
    if (Glow) Glow->Logic();
    if (Particle) Particle->Manage(Delta);
    if (Particle && Particle->IsFinished()) Particle.reset();
    if (ScorePosition) {
        ScorePosition->Manage();
        if (ScorePosition->IsFinished()) ScorePosition.reset();
    }
}

void TCell::EndDestroy() {
    DestroyAnimation.reset();
    if (Particle) Particle->SetLoop(false);
    ClearMatchedCell();
    // A gem matched while still sliding in stops here for good.
    MoveLine.reset();
    X = GetCalculatedX();
    Y = GetCalculatedY();
}

void TCell::FinishAnimations() {
    if (DestroyAnimation) EndDestroy();
    if (MoveLine) EndFall();
    AppearAnimation.reset();
}

void TCell::Draw() const {
    const float alpha = plat::GetAlpha();
    const float rotation = plat::GetRotation();
    if (Contents == 0) {
        if (Particle) Particle->Render(Delta);
        Floor().DrawOverlay();
        return;
    }
    if (ContentsImage) {
        if (AppearAnimation && AppearAnimation->Active) {
            plat::SetAlpha(AppearAnimation->GetRatioInv());
        } else if (DestroyAnimation && DestroyAnimation->Active) {
            plat::SetAlpha(DestroyAnimation->GetRatio());
        }
        plat::SetRotation(static_cast<float>(CurrentRotationDegree));
        DrawAt(ContentsImage, X, Y);
        if (Glow) {
            Glow->Process1_StartGlow();
            DrawAt(ContentsImage, X, Y);
            TGlow::Process2_EndGlow();
        }
        plat::SetAlpha(alpha);
        plat::SetRotation(rotation);
    }
    Floor().DrawOverlay();
    if (Particle) Particle->Render(Delta);
    if (ScorePosition) {
        const float t = ScorePosition->Animation.GetRatioInv();
        if (t > 0.5f) plat::SetAlpha(1.0f - (t - 0.5f) * 2.0f);
        const auto& label = ScoreType == FLOOR_MARBLE ? CellBox->Score2Image : CellBox->Score1Image;
        const int lx = ScorePosition->GetCurrentX();
        const int ly = ScorePosition->GetCurrentY();
        if (label && label->image && lx >= 0) plat::DrawImage(*label->image, static_cast<float>(lx), static_cast<float>(ly));
        plat::SetAlpha(alpha);
    }
}
