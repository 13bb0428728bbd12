#pragma once
// Modal panels drawn over a screen: a message with OK, a yes/no question and
// a question with a typed answer, with optional slide-in and slide-out,
// fades, dimming of the screen behind and sounds; and the game's standard
// dialogs built on the "input" and "inputlong" panel images.
//
// The owner calls Start once, then Manage every update and Draw every frame
// until Manage answers non-zero (1 OK / Yes, -1 No / Cancel), then Kill.
#include <functional>
#include <memory>
#include <string>

#include "resources/animation.h"
#include "gui/focus_ring.h"
#include "gui/label.h"
#include "gui/menu.h"
#include "gui/sprite.h"
#include "gui/text_input.h"
#include "platform/audio.h"

// ---- framework drawing helpers -------------------------------------------------
void DimScreen(float alpha);
void DrawRectWithShadow(float x, float y, float w, float h, const TShadow* shadow);
void DrawImageWithShadow(TGameImage& image, float x, float y, const TShadow* shadow);

class TDialog {
public:
    virtual ~TDialog() = default;

    LabelPtr Caption;
    GameImagePtr Background;
    int Active = 0;
    int Disabled = 0;
    ShadowPtr Shadow;
    int DrawHighlight = 1;
    int w = 0, h = 0;
    int x = 0, y = 0;
    int Border = 20;
    ColorPtr DialogColor;
    MenuPtr Menu;
    // The keyboard's way through the buttons, built from Menu at the first update.
    TFocusRing Focus;
    int MenuShow = 1;
    int Centre = 1;
    int FixedWidth = 0;
    int ReenableEscapeKey = 1;
    bool OldIgnoreEscapeKey = false;
    int CaptionOX = 0, CaptionOY = 0;
    int CaptionOffsetX = 0, CaptionOffsetY = 0;
    int CaptionCentreVert = 0;
    int MenuOX = 0, MenuOY = 0;
    SpritePtr Header;
    std::string Ext = ".png";
    GameImagePtr Picture, Picture2;
    int PictureX = 0, PictureY = 0, Picture2X = 0, Picture2Y = 0;
    float PictureScale = 1.0f, Picture2Scale = 1.0f;
    float PictureAngle = 0, Picture2Angle = 0;
    ShadowPtr PictureShadow, Picture2Shadow;
    std::unique_ptr<TAnimation> TransitionIn, TransitionOut;
    int Transitioning = 0;  // 0 none, 1 coming in, 2 going out
    float DimBackground = 0;
    int FadeDialog = 0;
    int CloseResultTemp = 0;
    int CloseResult = 0;
    plat::ChannelPtr FadeChannel;
    int Slide = 0;  // 0 none, 1 top, 2 right, 3 bottom, 4 left, 5 one of them at random
    int SlideExtra = 0;
    float OffsetX = 0, OffsetY = 0;
    float Alpha = 1.0f;
    GameSoundPtr ActivateSound, SlideInSound, SlideOutSound;

    void Init(const std::string& text, GameImagePtr background, int w, int h, int x, int y);
    virtual void Start();
    void SetupCaption(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow);
    void CalcAll();
    // Moves the dialog below the screen rows top..bottom, or above them,
    // where it fits there whole, so what they show stays in sight; else it
    // stays where it is.
    void MoveClearOf(int top, int bottom);
    // Moves the dialog's top edge to the screen row y (it stays centred across).
    void MoveToY(int y);
    virtual void CalcSize();
    void CalcXY();
    void CalcOffset();
    int CaptionGetCentredX() const { return x + w / 2; }
    virtual void SetLabelsXY();
    virtual void MenuPosition();
    int MenuGetCentredX() const;
    virtual int Manage();
    int ManageCore();
    virtual int Draw();
    void SetAlphas(float a);
    void DoDrawHighlight(float alpha) const;
    int Close(int result);
    void Finalise();
    virtual void Kill();

protected:
    // Advances the transitions; 1 on the update the closing slide ends.
    int ManageTransitions();
    // Puts the menu at its place and lets it settle without sounds.
    void PlaceMenu();
    void CalcCaptionSize();
    void DrawPicture(const GameImagePtr& picture, int px, int py, float scale, float angle, const ShadowPtr& shadow);
    // Creates Menu with the game's button sounds and shadow.
    void CreateMenu();
    static void ClickButton(TMenu& menu, const std::string& name);
    // A click heard as the buttons' are: on the game's channel pool, or on
    // FadeChannel without one.
    void PlayClickSound(const GameSoundPtr& sound);
    // The slide and activate sounds, centred on the dialog's own channel
    // (made on first use), whose volume follows the closing slide.
    void PlayTransitionSound(const GameSoundPtr& sound);
};

class TDialogOK : public TDialog {
public:
    int Gap = 50;

    static std::shared_ptr<TDialogOK> Create(const std::string& text, GameImagePtr background, int w, int h, int x);
    void CalcSize() override;
    void MenuCreate();
    void MenuPosition() override;
    int Manage() override;
    int OKClick();
};
using DialogOKPtr = std::shared_ptr<TDialogOK>;

class TDialogYesNo : public TDialog {
public:
    int Gap = 50;
    int ButtonGap = 50;

    static std::shared_ptr<TDialogYesNo> Create(const std::string& text, GameImagePtr background, int w, int h,
                                                int x, int makeMenu = 1);
    void CalcSize() override;
    void MenuCreate(int buttonGap);
    void MenuPosition() override;
    int Manage() override;
    int YesClick();
    int NoClick();
};
using DialogYesNoPtr = std::shared_ptr<TDialogYesNo>;

// A screen run inside a text dialog after OK (the player manager's).
class TDialogInnerScreen {
public:
    virtual ~TDialogInnerScreen() = default;
    // 1 when done.
    virtual int Logic() = 0;
    virtual void Draw() = 0;
    virtual void Kill() {}
};

class TDialogTextInput : public TDialog {
public:
    LabelPtr Text;
    int CharWidth = 0;
    int Gap = 30;
    ColorPtr BoxColor;
    // When set, a two-pixel frame of this colour runs round the answer box.
    ColorPtr BoxFrameColor;
    int DrawBox = 1;
    int BoxBorderH = 10;
    int BoxBorderV = 5;
    int TextBorder = 10;
    std::shared_ptr<TTextInput> TextInput;
    int TextYOffset = 0;
    int AllowNull = 0;
    // -1 refuses the answer and shows message.
    std::function<int(const std::string& answer, std::string& message)> ErrorCheckFunc;
    std::function<DialogOKPtr(const std::string& message)> ErrorDialogFunc;
    DialogOKPtr DialogOK;
    int TextOX = 0, TextOY = 0;
    std::function<int(TDialogTextInput&)> OKClickedFunc;
    std::shared_ptr<TDialogInnerScreen> OKClickedScreen;
    int DrawDisabled = 0;
    int UppercaseFirstChar = 1;
    // The answer becomes a file name: blanks are trimmed and only a safe
    // name (IsSafeFileName) is accepted.
    int FileNameAnswer = 0;
    int HasCancel = 0;
    // The line under the answer box that says why a key was refused.
    ColorPtr RefusalColor = TColor::Create(255, 214, 120);

    static std::shared_ptr<TDialogTextInput> Create(const std::string& text, const std::string& answer, int maxLength,
                                                    GameImagePtr background, int w, int x, int y,
                                                    int maxPixelWidth = 0);
    void Start() override;
    void SetupText(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, int fixedWidth);
    void CalcSize() override;
    void SetLabelsXY() override;
    void MenuCreate(int withCancel, int buttonGap);
    void MenuPosition() override;
    int Manage() override;
    int ProcessOKClickedFunc();
    int OKClick(int byEnter);
    int CancelClick();
    void ClickSound();
    int Draw() override;
    void Kill() override;
    const std::string& Answer() const { return TextInput->Text; }
    // The top of the line that says why a key was refused.
    float RefusalY() const;

private:
    void DrawRefusal();
    // The result of an accepted OK: 0 while the closing slide runs.
    int Accepted();
    void ManageErrorDialog();
};
using DialogTextInputPtr = std::shared_ptr<TDialogTextInput>;

// ---- the game's standard dialogs ---------------------------------------------------
// A message or question whose wrapped text does not fit the "input" panel gets
// the taller "inputlong" one.
// Not started: the caller may change it, then calls Start.
DialogTextInputPtr CreateTextInputDialog(int withCancel, const std::string& question);
DialogOKPtr CreateMessageDialog(const std::string& text);
DialogYesNoPtr CreateYesNoDialog(const std::string& text);
