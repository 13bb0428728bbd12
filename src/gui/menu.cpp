#include "gui/menu.h"

#include <algorithm>
#include <cmath>

#include "resources/view_state.h"
#include "gui/mouse_pointer.h"
#include "resources/pak_file.h"

namespace {

int RoundInt(float v) { return static_cast<int>(std::lround(v)); }

}  // namespace

MenuPtr TMenu::Create(const std::string& soundMO, const std::string& soundClick, float nx, float ny, int gap) {
    auto menu = std::make_shared<TMenu>();
    menu->Init(soundMO, soundClick, nx, ny, gap);
    return menu;
}

void TMenu::Init(const std::string& soundMO, const std::string& soundClick, float nx, float ny, int gap) {
    Buttons.clear();
    x = nx;
    y = ny;
    Gap = gap;
    AddGap = 0;
    h = 0;
    NextY = RoundInt(ny);
    ClickedName.clear();
    SoundMouseOver = GuiSound(soundMO);
    SoundClick = GuiSound(soundClick);
}

void TMenu::Kill() {
    for (auto& button : Buttons) button->Kill();
    Buttons.clear();
}

void TMenu::SetShadow(int on, float sx, float sy, float alpha) {
    Shadow = on;
    ShadowX = sx;
    ShadowY = sy;
    ShadowAlpha = alpha;
}

void TMenu::ResetShadow(int on, float sx, float sy, float alpha) {
    for (auto& button : Buttons) button->SetShadow(on, sx, sy, alpha);
}

void TMenu::SetAlpha(float alpha) {
    for (auto& button : Buttons) button->Alpha = alpha;
}

// ---- adding ----------------------------------------------------------------------

ButtonPtr TMenu::DoAddNew(const std::string& image, const std::string& moImage, const std::string& name, int frameW,
                          int frameH, int frames) {
    auto button = std::make_shared<TButton>();
    button->UseMenuPath = 1;
    button->Load(image, moImage, "", "", frameW, frameH, frames);
    button->CentreX(static_cast<float>(NextY));
    button->SoundMouseOver = SoundMouseOver;
    button->SoundClick = SoundClick;
    button->SetShadow(Shadow, ShadowX, ShadowY, ShadowAlpha);
    if (!name.empty()) button->name = UpperAscii(name);
    Buttons.push_back(button);
    return button;
}

ButtonPtr TMenu::AddNew(const std::string& image, const std::string& moImage, const std::string& name, int frameW,
                        int frameH, int frames) {
    auto button = DoAddNew(image, moImage, name, frameW, frameH, frames);
    IncreaseHeight(*button);
    return button;
}

void TMenu::IncreaseHeight(const TButton& button) {
    NextY += button.h + Gap;
    h += button.h + (AddGap ? Gap : 0);
    AddGap = 1;
}

ButtonPtr TMenu::AddQuick(const std::string& image, const std::string& name) {
    return AddNew(image, image + "MO", name, 0, 0, 1);
}

void TMenu::AddPair(const std::string& image1, const std::string& image2, int gap, const std::string& prefix) {
    const std::string front = UpperAscii(prefix);
    auto first = DoAddNew(image1, image1 + "MO", prefix.empty() ? "" : front + image1);
    auto second = DoAddNew(image2, image2 + "MO", prefix.empty() ? "" : front + image2);
    second->MoveTo(first->x + static_cast<float>(first->w + gap), first->y);
    IncreaseHeight(first->h >= second->h ? *first : *second);
}

ButtonPtr TMenu::FindButton(const std::string& name) const {
    const std::string wanted = UpperAscii(name);
    for (const auto& button : Buttons) {
        if (button->name == wanted) return button;
    }
    return nullptr;
}

// ---- layout -----------------------------------------------------------------------

void TMenu::SetX(float nx) {
    CalcLeft();
    const float move = nx - x;
    for (auto& button : Buttons) button->MoveBy(move, 0);
    x = nx;
}

void TMenu::SetY(float ny) {
    CalcTop();
    const float move = ny - y;
    for (auto& button : Buttons) button->MoveBy(0, move);
    y = ny;
}

void TMenu::CalcCoords() {
    CalcLeft();
    CalcTop();
}

void TMenu::CalcLeft() {
    float left = 10000.0f;
    for (const auto& button : Buttons) left = std::min(left, button->x);
    x = left;
}

void TMenu::CalcTop() {
    float top = 10000.0f;
    for (const auto& button : Buttons) top = std::min(top, button->y);
    y = top;
}

int TMenu::CalcWidth() {
    int left = 10000, right = -10000;
    for (const auto& button : Buttons) {
        left = std::min(left, RoundInt(button->x));
        right = std::max(right, RoundInt(button->x + static_cast<float>(button->w)));
    }
    w = Buttons.empty() ? 0 : right - left;
    return w;
}

int TMenu::CalcHeight() {
    int top = 10000, bottom = -10000;
    for (const auto& button : Buttons) {
        top = std::min(top, RoundInt(button->y));
        bottom = std::max(bottom, RoundInt(button->y + static_cast<float>(button->h)));
    }
    h = Buttons.empty() ? 0 : bottom - top;
    return h;
}

void TMenu::CentreHoriz() {
    CalcWidth();
    SetX(static_cast<float>((ScreenWidth - w) / 2));
}

void TMenu::CentreVert() {
    CalcHeight();
    SetY(static_cast<float>((ScreenHeight - h) / 2));
}

void TMenu::Centre() {
    CentreHoriz();
    CentreVert();
}

void TMenu::MakeRow(int gap) {
    float nextX = 0;
    for (auto& button : Buttons) {
        button->MoveTo(nextX, 0);
        nextX += static_cast<float>(button->w + gap);
    }
    Centre();
}

// ---- state ---------------------------------------------------------------------------

void TMenu::ClearScale() {
    for (auto& button : Buttons) button->ScaleOnMO = 1.0f;
}

void TMenu::ClearMouseOver() {
    for (auto& button : Buttons) button->MouseOver = 0;
}

int TMenu::Clicked(const std::string& name) {
    if (ClickedName.empty() || UpperAscii(name) != ClickedName) return 0;
    if (ClearClickedName) ClickedName.clear();
    return 1;
}

// ---- per update and frame ----------------------------------------------------------

int TMenu::Manage() {
    if (ViewState().ScreenFading() || !AcceptInput) {
        ManageFixedGlowOnly();
        return 0;
    }
    if (!GameMouse().Active) return 0;
    ClickedName.clear();
    for (auto& button : Buttons) {
        if (NoSound) {
            button->ManageNoSound();
        } else {
            button->Manage();
        }
        if (button->Clicked) ClickedName = button->name;
    }
    return 1;
}

void TMenu::ManageNoSound() {
    const int saved = NoSound;
    NoSound = 1;
    Manage();
    NoSound = saved;
}

void TMenu::ManageFixedGlowOnly() {
    for (auto& button : Buttons) {
        if (button->FixedGlowOnMO) button->ManageGlow();
    }
}

void TMenu::Precache() {
    for (auto& button : Buttons) button->Precache();
}

void TMenu::Draw(float offx, float offy) {
    for (auto& button : Buttons) {
        button->offx = offx;
        button->offy = offy;
        button->Draw();
    }
}

// ---- toggles, check boxes, radio groups ------------------------------------------------

namespace {

void Reload(TMenu& menu, TButton& button, const std::string& image, const std::string& moImage) {
    button.LoadImages(image, moImage);
    button.SoundMouseOver = menu.SoundMouseOver;
    button.SoundClick = menu.SoundClick;
}

}  // namespace

ButtonPtr AddCheckBox(TMenu& menu, int on, const std::string& name) {
    return menu.AddQuick(on ? "checkOn" : "check", name);
}

void SetCheckBox(TMenu& menu, TButton& button, int on) {
    if (on) {
        Reload(menu, button, "checkOn", "checkOnMO");
    } else {
        Reload(menu, button, "check", "checkMO");
    }
}

ButtonPtr AddRadioButton(TMenu& menu, const std::string& name, const std::string& selected, int useOnMO) {
    if (UpperAscii(name) == UpperAscii(selected)) return menu.AddNew(name + "On", useOnMO ? name + "OnMO" : name + "MO", name, 0, 0, 1);
    return menu.AddNew(name, name + "MO", name, 0, 0, 1);
}

void SetRadioButtons(TMenu& menu, const std::string& selected, int useOnMO) {
    const std::string chosen = UpperAscii(selected);
    for (auto& button : menu.Buttons) {
        const std::string base = button->name;
        if (base == chosen) {
            Reload(menu, *button, base + "On", useOnMO ? base + "OnMO" : base + "MO");
        } else {
            Reload(menu, *button, base, base + "MO");
        }
    }
}
