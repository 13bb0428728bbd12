#pragma once
// A horizontal value slider (0..100): a track image with a dot that follows
// the pointer while a button is held over it, or steps by a key.
#include <memory>
#include <string>

#include "gui/sprite.h"

class TSlider : public TSprite {
public:
    std::string Ext = ".png";
    GameImagePtr DotImage;
    int DotX = 0, DotY = 0;
    int MouseOver = 0;
    int Value = 0;
    int KeyMoved = 0;  // moved by a key since the last update
    int Border = 0;   // dead margin at each end of the track
    int BorderY = 5;  // extra vertical hover tolerance

    // Loads ImagePath + track / dot + Ext, places the slider and sets it to 50.
    static std::shared_ptr<TSlider> CreateSpecial(const std::string& track, const std::string& dot, float x,
                                                  float y, int border, const std::string& name, int borderY = 5);
    // The same from images already loaded.
    static std::shared_ptr<TSlider> CreateFromImages(GameImagePtr track, GameImagePtr dot, float x, float y,
                                                     int border, const std::string& name, int borderY = 5);
    void Load(const std::string& track, const std::string& dot, const std::string& name);
    void LoadImages(const std::string& track, const std::string& dot);
    void Init() override;
    void SetValue(int v);
    // 1 while a button is held over the slider, or was pressed and released
    // over it since the last update (Value may have changed).
    int Manage();
    // A step left (-1) or right (1) from the keyboard; Manage reports it once.
    void StepBy(int direction);
    void Draw() override;

    // The value for a pointer at px (0..100); a track not wider than its
    // borders gives 0 or 100.
    int ValueAt(int px) const;
};
using SliderPtr = std::shared_ptr<TSlider>;
