#pragma once
// Screens and the single screen fade between them.
#include <memory>
#include <string>

#include "platform/audio.h"
#include "platform/graphics.h"

class TMenu;
class TSprite;

class TScreen {
public:
    virtual ~TScreen() = default;

    plat::ImagePtr Image;
    std::shared_ptr<TSprite> Header;
    std::string Ext = ".png";
    std::shared_ptr<TMenu> Menu;
    std::string name;
    int StopKill = 0;
    int StopInit = 0;
    TScreen* Destination = nullptr;

    void ImageLoad(const std::string& file, int flags = plat::DEFAULT_FLAGS);
    // Header = a sprite of ImagePath + file + Ext at (x, y).
    void HeaderLoad(const std::string& file, float x, float y);
    void PreStart();
    void ResetStops();
    virtual void Load() {}
    virtual void Start();
    void CoreStart();
    virtual void PostFadeIn() {}
    virtual void Kill();
    // Base: the menu's Manage.
    virtual void Logic();
    // Base: the background (a clear screen without one), the header, the menu.
    virtual void Draw();
    // Sets the destination for Escape; answers a fade time in ms (0 = default).
    virtual int SetEscDestination();
    virtual void SpecificKeys() {}
    // Whether the game's own notices may show over it (not while loading).
    virtual bool TakesNotices() const { return true; }
};

// Its arrival ends the program.
class TExitScreen : public TScreen {
public:
    TExitScreen() { name = "exit"; }
};

class TGameChannel;

class TGameFade {
public:
    int Length = 0;
    float Counter = 0;
    int Active = 0;
    int Out = 1;
    float Ratio = 0;
    int Done = 0;
    plat::ChannelPtr Channel;
    // A sound channel whose volume follows the fade, stopped at the end of a
    // fade-out (through the channel pool when it belongs to it).
    std::shared_ptr<TGameChannel> Channel2;
    int Channel2IsGameChannelArray = 1;
    int AllowAnim = 0;
    int FadeInAborted = 0;
    float FadeCounterBeforeAbort = 0;
    int SetToFullOnAbort = 1;
    int AbortKey = 0;
    // Ticks left of a fade-in that a key or click cut short: input is still
    // dropped until the screen would have faded in, so the keys that skipped
    // the splash or the fade do not go on to press the screen's buttons.
    float SettleCounter = 0;

    // time in ms; answers 0 while a fade is already running.
    int Init(int time, int out, plat::ChannelPtr channel, int allowAnim, float startCounter);
    void Finish();
    // A fade-out that starts even while a fade-in runs: the fade-in turns
    // round from the brightness it reached. Answers 0 while a fade-out runs
    // already (it goes on; the caller may change its destination).
    int TurnOut(int time, plat::ChannelPtr channel);
    // Once per tick: -1 skipped by a key or click, 1 finished, else 0.
    int Manage();
    void CalcRatio();
    void FadeChannels();
    void Draw();
    int GetDone();

private:
    int AnyKeyHit();
};
