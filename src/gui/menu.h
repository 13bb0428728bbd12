#pragma once
// A list of buttons that lays them out, manages them together and reports,
// by button name (any letter case), which one was clicked in the current
// update. Also the toggles, check boxes and
// radio groups built from menu buttons by image naming:
//   "name" / "nameMO" normal and mouse-over, "nameOn" / "nameOnMO" the on
//   state.
#include <memory>
#include <string>
#include <vector>

#include "gui/button.h"

class TMenu;
using MenuPtr = std::shared_ptr<TMenu>;

class TMenu {
public:
    float x = 0, y = 0;
    int w = 0, h = 0;
    std::string ClickedName;
    GameSoundPtr SoundMouseOver, SoundClick;
    int NextY = 0;
    int Gap = 0;
    int AddGap = 0;
    int NoSound = 0;
    int Shadow = 0;
    float ShadowX = 3.0f, ShadowY = 3.0f, ShadowAlpha = 0.5f;
    int ClearClickedName = 1;
    int AcceptInput = 1;
    std::vector<ButtonPtr> Buttons;

    static MenuPtr Create(const std::string& soundMO, const std::string& soundClick, float x, float y, int gap);
    void Init(const std::string& soundMO, const std::string& soundClick, float x, float y, int gap);
    void Kill();

    void SetShadow(int on, float sx, float sy, float alpha);
    void ResetShadow(int on, float sx, float sy, float alpha);
    void SetAlpha(float alpha);

    // ---- adding buttons (stacked, centred across the screen) ----
    ButtonPtr AddNew(const std::string& image, const std::string& moImage, const std::string& name = "",
                     int frameW = 0, int frameH = 0, int frames = 1);
    ButtonPtr DoAddNew(const std::string& image, const std::string& moImage, const std::string& name = "",
                       int frameW = 0, int frameH = 0, int frames = 1);
    void IncreaseHeight(const TButton& button);
    // image with image + "MO" as its hover image.
    ButtonPtr AddQuick(const std::string& image, const std::string& name = "");
    // Two buttons on one row, the second gap pixels right of the first;
    // a non-empty prefix goes in front of both names.
    void AddPair(const std::string& image1, const std::string& image2, int gap, const std::string& prefix = "");
    // Null when no button has the name.
    ButtonPtr FindButton(const std::string& name) const;

    // ---- layout ----
    void SetX(float nx);
    void SetY(float ny);
    void CalcCoords();
    void CalcLeft();
    void CalcTop();
    int CalcWidth();
    int CalcHeight();
    void CentreHoriz();
    void CentreVert();
    void Centre();
    void MakeRow(int gap);

    // ---- state ----
    void ClearScale();
    void ClearMouseOver();
    // 1 when the named button was clicked in this update (consumed with ClearClickedName).
    int Clicked(const std::string& name);

    // ---- per update and frame ----
    // 1 when the buttons were managed (mouse active, no screen fade running).
    int Manage();
    void ManageNoSound();
    void ManageFixedGlowOnly();
    void Precache();
    void Draw(float offx = 0, float offy = 0);
};

// ---- check boxes and radio groups ----
ButtonPtr AddCheckBox(TMenu& menu, int on, const std::string& name);
void SetCheckBox(TMenu& menu, TButton& button, int on);
ButtonPtr AddRadioButton(TMenu& menu, const std::string& name, const std::string& selected, int useOnMO);
void SetRadioButtons(TMenu& menu, const std::string& selected, int useOnMO);
