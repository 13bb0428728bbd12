#pragma once
// The game's own mouse pointer: position and button state fed by the main
// loop's events, the pointer image, and the per-update click tracker PNMouse.
#include <functional>
#include <memory>
#include <string>

#include "gui/particles.h"
#include "platform/graphics.h"

class TMousePointer {
public:
    int Active = 1;
    plat::ImagePtr Image;
    int ImageFrame = 0;
    std::string Ext = ".png";
    int Rotation = 0;
    plat::ImagePtr Image2;
    int Image2Frame = 0;
    int Image2xoff = 0, Image2yoff = 0;
    float Image2Scale = 1.0f;
    int x = 0, y = 0, z = 0;
    int w = 0, h = 0;
    int b1 = 0, b2 = 0, b3 = 0, mb = 0;
    int h1 = 0, h2 = 0, h3 = 0, mh = 0;
    // The press now held was already used (a widget took its click, or a
    // screen switch or modal step flushed input): it no longer counts as
    // held for the click tracker. The next press clears it.
    int PressTaken = 0;
    int offsetx = 0, offsety = 0;
    // Called each update to emit trail particles into ParticleList.
    std::function<void(TMousePointer&)> ParticleFunc;
    // The sparkle trail, drawn under the pointer; never longer than its cap.
    std::shared_ptr<TParticleList> ParticleList = MakeTrailList();
    // Extra hooks run after the trail's own update, drawing and clearing.
    // TrailClear starts out clearing the trail.
    std::function<void()> TrailManage;
    std::function<void()> TrailDraw;
    std::function<void()> TrailClear = [list = ParticleList] { list->Clear(); };
    float SparkleCounter = 0;
    int SparkleLength = 15;
    int LastTrailX = -1, LastTrailY = -1;

    static constexpr size_t TRAIL_CAP = 300;
    static std::shared_ptr<TParticleList> MakeTrailList();
    // The game's trail: while the pointer moves, a sparkle of the image every
    // few updates, drifting down and fading over SparkleLength x 20 ms.
    void SetSparkleTrail(GameImagePtr sparkle);
    std::function<void(int, int)> UserDraw;

    void On() { Active = 1; }
    void Off();
    void Load(const std::string& name);
    void CalcSize();
    // Samples position and buttons from the platform's polled mouse.
    void Update();
    int Manage();
    void ClearButtons();
    void ClearMouseHit();
    // ClearMouseHit, and the press still held is taken (PressTaken).
    void TakePress();
    int GetMb() const { return mb; }
    // Consuming a hit takes the press with it.
    int GetMh(int consume);
    void CalcButtonTotals();
    void Draw();

    // Event feed from the main loop.
    void ButtonDown(int button);
    void ButtonUp(int button);
};

// The game's one pointer, which every widget reads: the application
// object's while it lives, else a pointer of its own.
TMousePointer& GameMouse();
void SetGameMouse(TMousePointer* mouse);

class PNMouse {
public:
    int MBL = 0;
    int MBR = 0;
    int MBLDC = 0;
    int x = 0, y = 0;
    float DoubleClickTime = 500.0f;
    float DoubleClickCounter = 0;
    int DoubleClickX = -1, DoubleClickY = -1;
    int DoubleClickSquare = 30;
    int _milliCounter = 0;
    int DraggingPixels = 4;
    int DragStartX = -1, DragStartY = -1;
    int IsDragging = 0;

    // 0 while the press was taken (TMousePointer::PressTaken).
    int LeftClick() const;
    int DoubleClick() const { return MBLDC; }
    int Drag();
    void UpdateMouseClicks();

private:
    void ResetDrag();
    void TrackDoubleClick(int elapsed);
};
