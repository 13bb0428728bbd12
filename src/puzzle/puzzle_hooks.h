#pragma once
// The few things the puzzle engine asks of code that lives elsewhere: the
// burst effect of a cleared gem, the victory celebration, sounds by name, the
// yes/no question shown when no move is left, the layout loader and the fonts.
// The game screen (and the file-format code) install these; every hook may be
// left empty, in which case the engine simply does without (headless tests).
#include <functional>
#include <memory>
#include <string>

// A running particle burst over one board cell.
class TCellEffect {
public:
    virtual ~TCellEffect() = default;
    // While looping the effect keeps emitting; cleared when the gem is gone.
    virtual void SetLoop(bool loop) = 0;
    // True once the effect's (first) emitter has finished.
    virtual bool IsFinished() const = 0;
    // Once per logic tick (delta = that tick's Delta): effects that keep
    // their own game-time pace advance here.
    virtual void Manage(float /*delta*/) {}
    // Once per drawn frame, with the frame's Delta.
    virtual void Render(float delta) = 0;
};

// An open yes/no question.
class TPuzzleQuestion {
public:
    virtual ~TPuzzleQuestion() = default;
    // One logic tick: 0 while open, 1 for yes, -1 for no.
    virtual int Manage() = 0;
    virtual void Draw() = 0;
};

class TCellBox;

struct TPuzzleHooks {
    // Effect for a gem cleared on floor kind scoreType (1 normal, 2 marble),
    // centred at (x, y) and looping. Null result or no hook: no effect.
    std::function<std::shared_ptr<TCellEffect>(int scoreType, int x, int y)> CreateCellEffect;
    // A big chain bonus: start a new victory particle list.
    std::function<void()> StartVictoryParticles;
    // Plays a sound of the sound bank by name.
    std::function<void(const std::string& name)> PlaySound;
    // Opens a yes/no question with the text of the given game-text key.
    std::function<std::unique_ptr<TPuzzleQuestion>(const std::string& textKey)> OpenQuestion;
    // Fills a cleared board from a layout file; answers false on failure.
    std::function<bool(TCellBox& box, const std::string& path)> LoadLayout;
    // Selects one of the game's fonts by number (1 = first, 2 = second).
    std::function<void(int which)> SelectFont;
    // True while the in-game menu is shown (no mouse-over highlight then).
    std::function<bool()> InGameMenuShown;
};

TPuzzleHooks& PuzzleHooks();
