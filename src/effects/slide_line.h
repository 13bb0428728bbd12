#pragma once
// Lines of text that travel in straight legs from point to point over given
// times and then rest at their last end point; the high-score table flies
// its entries in with them. Each leg is one phase of the line's animation.
#include <any>
#include <memory>
#include <string>
#include <vector>

#include "resources/animation.h"
#include "gui/sprite.h"

class TSlideLine : public TAnimation {
public:
    float StartX[MAX_PHASES] = {};
    float StartY[MAX_PHASES] = {};
    float EndX[MAX_PHASES] = {};
    float EndY[MAX_PHASES] = {};
    float DX = 0, DY = 0;
    std::string text;
    ColorPtr Color = TColor::Create(255, 255, 255);
    // Whatever the owner wants to keep with the line (a table entry, ...).
    std::any AttachedObject;

    // One leg of ms; the line is not started.
    void InitLine(const std::string& text, float startX, float startY, float endX, float endY, float ms);
    // Appends a leg; answers 0 (and changes nothing) when all MAX_PHASES
    // legs are in use.
    int AddPhaseSpecial(float startX, float startY, float endX, float endY, float ms);
    // DX, DY of the running leg.
    void CalcDistance();
    // Where the line is now: on the running leg while active, else at the
    // end point of the last leg (also before it was ever started). A leg of
    // no length counts as already travelled.
    float GetX() const;
    float GetY() const;
    // Starts the journey at the first leg.
    void Start();
    // One update; answers Manage of the animation (1 when a leg ended).
    int Manage();
    void AttachObject(std::any object) { AttachedObject = std::move(object); }

private:
    int LastLeg() const { return TotalPhases - 1; }
};
using SlideLinePtr = std::shared_ptr<TSlideLine>;

// Lines that start and move together and share one colour.
class TSlideLineList {
public:
    ColorPtr Color = TColor::Create(255, 255, 255);
    std::vector<SlideLinePtr> Lines;

    // A new line (InitLine) with the list's colour, appended.
    SlideLinePtr Add(const std::string& text, float startX, float startY, float endX, float endY, float ms);
    void Start();
    void Manage();
    void Clear() { Lines.clear(); }
    int Count() const { return static_cast<int>(Lines.size()); }
};
