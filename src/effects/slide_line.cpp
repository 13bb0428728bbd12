#include "effects/slide_line.h"

#include "platform/graphics.h"

// ---- TSlideLine ----------------------------------------------------------------

void TSlideLine::InitLine(const std::string& lineText, float startX, float startY, float endX, float endY,
                          float ms) {
    Init(ms, 0, 0, 0);
    text = lineText;
    StartX[0] = startX;
    StartY[0] = startY;
    EndX[0] = endX;
    EndY[0] = endY;
    CalcDistance();
}

int TSlideLine::AddPhaseSpecial(float startX, float startY, float endX, float endY, float ms) {
    const int leg = TotalPhases;
    if (leg < 1 || leg >= MAX_PHASES) return 0;
    StartX[leg] = startX;
    StartY[leg] = startY;
    EndX[leg] = endX;
    EndY[leg] = endY;
    return AddPhase(ms);
}

void TSlideLine::CalcDistance() {
    DX = EndX[CurrentPhase] - StartX[CurrentPhase];
    DY = EndY[CurrentPhase] - StartY[CurrentPhase];
}

// GetRatio answers 0 for a leg of no length, which puts the line at the
// leg's end point instead of dividing by zero.
float TSlideLine::GetX() const {
    if (!Active) return EndX[LastLeg()];
    return StartX[CurrentPhase] + (1.0f - GetRatio()) * DX;
}

float TSlideLine::GetY() const {
    if (!Active) return EndY[LastLeg()];
    return StartY[CurrentPhase] + (1.0f - GetRatio()) * DY;
}

void TSlideLine::Start() {
    TAnimation::Start();
    CalcDistance();
}

int TSlideLine::Manage() {
    const int ended = TAnimation::Manage();
    if (ended) CalcDistance();
    return ended;
}

// ---- TSlideLineList --------------------------------------------------------------

SlideLinePtr TSlideLineList::Add(const std::string& text, float startX, float startY, float endX, float endY,
                                 float ms) {
    auto line = std::make_shared<TSlideLine>();
    line->InitLine(text, startX, startY, endX, endY, ms);
    line->Color = Color;
    Lines.push_back(line);
    return line;
}

void TSlideLineList::Start() {
    for (auto& line : Lines) line->Start();
}

void TSlideLineList::Manage() {
    for (auto& line : Lines) line->Manage();
}
