#pragma once
// The two objects at every board position: the floor (TLayoutCell) and the
// gem sitting on it (TCell), plus the small timed helpers they use: a pulsing
// glow and a straight timed movement.
#include <memory>
#include <optional>

#include "resources/animation.h"
#include "platform/graphics.h"
#include "puzzle/puzzle_hooks.h"

class TCellBox;

// A pulsing brightness value: |sin| of a wrapping angle times an amplitude.
class TGlow {
public:
    TSineCounter GlowCounter;
    float Glow = 0;
    float GlowModifier = 0.3f;
    float lastCounter = 0;
    int numWraps = 0;

    static TGlow Create(float speed, float modifier, float start, float end);
    void Reset();
    void Logic();
    void CheckCounter();
    // Draws that follow shine additively with the glow's brightness.
    void Process1_StartGlow() const;
    static void Process2_EndGlow();
};

// A straight movement from one point to another over a time.
class TLinePosition {
public:
    int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
    int Length = 0;  // milliseconds
    TAnimation Animation;

    static TLinePosition Start(int startX, int startY, int endX, int endY, int lengthMs);
    void Manage();
    int GetCurrentX() const;  // -1 when not moving
    int GetCurrentY() const;
    bool IsFinished() const;
};

// Floor kinds of TLayoutCell::Contents.
enum FloorKind { FLOOR_NONE = 0, FLOOR_NORMAL = 1, FLOOR_MARBLE = 2 };

class TLayoutCell {
public:
    TCellBox* CellBox = nullptr;
    int X = 0, Y = 0;
    int ArrayX = 0, ArrayY = 0;
    int Contents = FLOOR_NONE;
    int IsChain = 0;
    int IsCreate = 0;
    int IsFill = 0;
    plat::ImagePtr DecorationImage;
    plat::ImagePtr WallImage;
    int WallLeft = 0, WallRight = 0, WallTop = 0, WallBottom = 0;
    int WallCornerInsideNW = 0, WallCornerInsideNE = 0, WallCornerInsideSW = 0, WallCornerInsideSE = 0;
    int WallCornerOutsideNW = 0, WallCornerOutsideNE = 0, WallCornerOutsideSW = 0, WallCornerOutsideSE = 0;
    // Which row of the wall tile table was chosen (1..46, 0 = none) and
    // whether that row's decoration was placed; kept so the choice can be
    // inspected without the images.
    int WallTile = 0;
    int HasDecoration = 0;

    void Create(TCellBox* box, int column, int row);
    TLayoutCell Clone(TCellBox* box) const;

    void Draw() const;
    void DrawNormalCell() const;
    void DrawMarbleCell() const;
    void DrawEmptyCell() const;
    void DrawOverlay() const;
    void DrawWall() const;
    bool IsMouseOver() const;
    // Whether the floor shows its mouse-over picture now.
    bool IsHighlighted() const;
    void Manage() {}

    // Walls (positions without floor only).
    void SetupDrawWall();
    void SetWallLeft();
    void SetWallRight();
    void SetWallTop();
    void SetWallBottom();
    void SetWallCornerInsideNW();
    void SetWallCornerInsideNE();
    void SetWallCornerInsideSW();
    void SetWallCornerInsideSE();
    void SetWallCornerOutsideNW();
    void SetWallCornerOutsideNE();
    void SetWallCornerOutsideSW();
    void SetWallCornerOutsideSE();
    void SetupDrawWallImage();
    static bool SetupDrawWallRandom();

private:
    bool FloorAt(int column, int row) const;
    int WallFlagMask() const;
    void DrawFloor(const plat::ImagePtr& plain, const plat::ImagePtr& mouseOver) const;
};

class TCell {
public:
    TCellBox* CellBox = nullptr;
    int RotationDegree = 0;
    int CurrentRotationDegree = 0;
    int X = 0, Y = 0;
    int ArrayX = 0, ArrayY = 0;
    int Contents = 0;
    plat::ImagePtr ContentsImage;
    std::optional<TGlow> Glow;
    std::optional<TLinePosition> MoveLine;
    std::optional<TAnimation> AppearAnimation;
    std::optional<TAnimation> DestroyAnimation;
    std::optional<TLinePosition> ScorePosition;
    std::shared_ptr<TCellEffect> Particle;
    int ScoreType = 0;
    int HasSetContents = 0;

    static std::shared_ptr<TCell> Create(TCellBox* box, int column, int row);
    // A separate copy owned by another box. Timers are copied, never shared;
    // a running particle effect stays with the original.
    std::shared_ptr<TCell> Clone(TCellBox* box) const;

    void SetContents(int kind);
    void ClearContents();
    void ClearBonus();
    void ClearChain();
    void ClearMatchedCell();
    void SetMarked();
    void ClearMarked();
    int GetCalculatedX() const;
    int GetCalculatedY() const;
    bool IsCellInAnimation() const { return MoveLine.has_value(); }
    // Falling, appearing or being destroyed: such a gem takes no part in matching.
    bool IsBusy() const { return MoveLine || AppearAnimation || DestroyAnimation; }
    // No gem and no gem fading out: a falling or new gem may enter.
    bool IsFree() const { return Contents == 0 && !DestroyAnimation; }
    void Manage();
    // The glow, particles and score float alone: what a gem at rest runs.
    void ManageEffects();
    bool HasEffects() const { return Glow || Particle || ScorePosition; }
    void Draw() const;
    void StartDestroyAnimation();
    // The fall, fade-in or fade-out under way ends now (TCellBox::FinishAnimations).
    void FinishAnimations();

    // Falling and creation (rules).
    void CheckCellMoveDown(int diagonal);
    static void CheckCellMoveDownSwitch(TCell& from, TCell& to);
    bool IsCellBelowEmpty() const;
    bool IsCellBelowLeftEmpty() const;
    bool IsCellBelowRightEmpty() const;
    bool IsCellBelowEmptyTopRow() const;
    void CheckEmptyTopRow();

    TLayoutCell& Floor() const;

private:
    bool IsFreeFloorAt(int column, int row) const;
    void EndDestroy();
    void EndFall();
};
