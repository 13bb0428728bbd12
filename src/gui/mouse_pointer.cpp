#include "gui/mouse_pointer.h"

#include <cstdlib>

#include "resources/fixed_rate_logic.h"
#include "resources/input_tables.h"
#include "gui/mouse_pointer.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "resources/error.h"
#include "resources/game_paths.h"

void TMousePointer::Off() {
    Active = 0;
    ParticleList->Clear();
    if (TrailClear) TrailClear();
}

std::shared_ptr<TParticleList> TMousePointer::MakeTrailList() {
    auto list = std::make_shared<TParticleList>();
    list->Cap = TRAIL_CAP;
    return list;
}

void TMousePointer::SetSparkleTrail(GameImagePtr sparkle) {
    ParticleFunc = [sparkle = std::move(sparkle)](TMousePointer& mouse) {
        constexpr float EMIT_EVERY = 3.0f;  // updates
        const bool moved = mouse.x != mouse.LastTrailX || mouse.y != mouse.LastTrailY;
        mouse.LastTrailX = mouse.x;
        mouse.LastTrailY = mouse.y;
        mouse.SparkleCounter += Delta;
        if (!moved || mouse.SparkleCounter < EMIT_EVERY || !sparkle) return;
        mouse.SparkleCounter = 0;
        const float fadeMs = static_cast<float>(mouse.SparkleLength) * 20.0f;
        auto p = mouse.ParticleList->AddNew(static_cast<float>(mouse.x) + plat::RndF(-3, 3),
                                            static_cast<float>(mouse.y) + plat::RndF(-3, 3), sparkle,
                                            plat::RndF(-0.3f, 0.3f), plat::RndF(0.0f, 0.4f), 0.005f, fadeMs, 1,
                                            plat::Rand(0, 1) ? 1 : -1, plat::RndF(1.0f, 4.0f),
                                            plat::RndF(0.4f, 0.9f), 0, 0, 0);
        if (p) p->NoOutOfBounds = 0;
    };
}

void TMousePointer::Load(const std::string& name) {
    const std::string path = GamePaths().ImagePath + name + Ext;
    Image = plat::LoadImage(path);
    if (!Image) {
        ErrorMessage("Error loading bitmap " + path, true);
        return;
    }
    plat::SetImageHandle(*Image, static_cast<float>(offsetx), static_cast<float>(offsety));
    CalcSize();
}

void TMousePointer::CalcSize() {
    if (!Image) return;
    w = plat::ImageWidth(*Image);
    h = plat::ImageHeight(*Image);
}

void TMousePointer::Update() {
    x = plat::PolledMouseX();
    y = plat::PolledMouseY();
    b1 = plat::PolledMouseDown(1);
    b2 = plat::PolledMouseDown(2);
    b3 = plat::PolledMouseDown(3);
    h1 = plat::PolledMouseHit(1);
    h2 = plat::PolledMouseHit(2);
    h3 = plat::PolledMouseHit(3);
    CalcButtonTotals();
}

int TMousePointer::Manage() {
    if (!Active) return 0;
    if (ParticleFunc) ParticleFunc(*this);
    ParticleList->Manage();
    if (TrailManage) TrailManage();
    return 1;
}

void TMousePointer::ClearButtons() {
    b1 = b2 = b3 = mb = 0;
    ClearMouseHit();
}

void TMousePointer::ClearMouseHit() { h1 = h2 = h3 = mh = 0; }

void TMousePointer::TakePress() {
    ClearMouseHit();
    PressTaken = 1;
}

int TMousePointer::GetMh(int consume) {
    const int hits = mh;
    if (consume && hits > 0) {
        TakePress();
    } else if (consume) {
        ClearMouseHit();
    }
    return hits;
}

void TMousePointer::CalcButtonTotals() {
    mb = b1 + b2 + b3;
    mh = h1 + h2 + h3;
}

void TMousePointer::ButtonDown(int button) {
    ClearMouseHit();
    PressTaken = 0;
    if (button == 1) b1 = 1, h1 += 1;
    if (button == 2) b2 = 1, h2 += 1;
    if (button == 3) b3 = 1, h3 += 1;
    CalcButtonTotals();
}

void TMousePointer::ButtonUp(int button) {
    if (button == 1) b1 = 0;
    if (button == 2) b2 = 0;
    if (button == 3) b3 = 0;
    CalcButtonTotals();
}

void TMousePointer::Draw() {
    if (!Active) return;
    ParticleList->Draw();
    if (TrailDraw) TrailDraw();
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetRotation(static_cast<float>(Rotation));
    if (Image2) {
        plat::SetScale(Image2Scale, Image2Scale);
        plat::DrawImage(*Image2, static_cast<float>(x + Image2xoff), static_cast<float>(y + Image2yoff), Image2Frame);
        plat::SetScale(1, 1);
    }
    if (Image) {
        plat::DrawImage(*Image, static_cast<float>(x), static_cast<float>(y), ImageFrame);
    } else {
        plat::Plot(static_cast<float>(x), static_cast<float>(y));
    }
    plat::SetRotation(0);
    if (UserDraw) UserDraw(x, y);
}

// ---- PNMouse --------------------------------------------------------------

void PNMouse::ResetDrag() {
    DragStartX = -1;
    DragStartY = -1;
    IsDragging = 0;
}

void PNMouse::TrackDoubleClick(int elapsed) {
    if (MBL != 1) {
        MBLDC = 0;
        if (DoubleClickCounter > 0 && elapsed <= 1000) DoubleClickCounter -= static_cast<float>(elapsed);
        return;
    }
    const bool windowOpen = DoubleClickCounter > 0;
    MBLDC = (windowOpen && std::abs(x - DoubleClickX) < DoubleClickSquare &&
             std::abs(y - DoubleClickY) < DoubleClickSquare)
                ? 1
                : 0;
    DoubleClickX = x;
    DoubleClickY = y;
    DoubleClickCounter = DoubleClickTime;
}

int PNMouse::LeftClick() const { return GameMouse().PressTaken ? 0 : MBL; }

void PNMouse::UpdateMouseClicks() {
    auto& mouse = GameMouse();
    x = mouse.x;
    y = mouse.y;
    const int now = static_cast<int>(plat::MilliSecs());
    const int elapsed = _milliCounter == 0 ? 0 : now - _milliCounter;
    _milliCounter = now;

    // A press counts for the update it arrived in even when its release came
    // in the same update (a tap); a new press starts the count again.
    const bool taken = mouse.PressTaken != 0;
    const bool left = !taken && (mouse.b1 || mouse.h1 > 0);
    const bool right = !taken && (mouse.b2 || mouse.h2 > 0);
    const bool ctrl = KeyDown(plat::KEY_LCONTROL) || KeyDown(plat::KEY_RCONTROL);
    const bool rightPressed = mouse.h2 > 0 || (mouse.h1 > 0 && ctrl);
    MBR = (right || (left && ctrl)) ? (rightPressed ? 1 : MBR + 1) : 0;
    if (left && !ctrl) {
        if (mouse.h1 > 0 && MBL > 0) ResetDrag();  // released and pressed again
        MBL = mouse.h1 > 0 ? 1 : MBL + 1;
    } else {
        MBL = 0;
        ResetDrag();
    }
    TrackDoubleClick(elapsed);
}

int PNMouse::Drag() {
    if (GameMouse().PressTaken) {
        ResetDrag();
        return 0;
    }
    if (IsDragging) return 1;
    if (MBL > 0 && DragStartX < 0) {
        DragStartX = x;
        DragStartY = y;
        return 0;
    }
    if (MBL > 1 && std::abs(DragStartX - x) + std::abs(DragStartY - y) > DraggingPixels) {
        IsDragging = 1;
        return 1;
    }
    return 0;
}

namespace {
TMousePointer* gameMouse = nullptr;
}

TMousePointer& GameMouse() {
    static TMousePointer own;
    return gameMouse ? *gameMouse : own;
}

void SetGameMouse(TMousePointer* mouse) { gameMouse = mouse; }
