#include "app/screen.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/menu.h"
#include "gui/sprite.h"
#include "platform/input.h"
#include "resources/error.h"

// ---- TScreen ------------------------------------------------------------------

void TScreen::ImageLoad(const std::string& file, int flags) {
    const std::string path = Game().ImagePath + file;
    Image = plat::LoadImage(path, flags);
    if (!Image) {
        ErrorMessage("Error loading bitmap " + path, true);
        return;
    }
    plat::SetImageHandle(*Image, 0, 0);
}

void TScreen::HeaderLoad(const std::string& file, float x, float y) {
    Header = TSprite::Create(TGameImage::Create(Game().ImagePath + file + Ext), x, y);
}

void TScreen::PreStart() {
    if (StopInit) {
        CoreStart();
        return;
    }
    Load();
    Start();
}

void TScreen::ResetStops() {
    StopKill = 0;
    StopInit = 0;
}

void TScreen::Start() {
    Game().Mouse.On();
    Game().IgnoreEscapeKey = 0;
    CoreStart();
}

void TScreen::CoreStart() {
    auto& game = Game();
    game.CurrentTScreen = this;
    if (Menu) Menu->ManageNoSound();
    FlushInput();
    game.Mouse.ClearButtons();
    game.FixedRateLogic.Init();
}

void TScreen::Kill() {
    Image.reset();
    Header.reset();
    if (Menu) Menu->Kill();
    Menu.reset();
}

void TScreen::Logic() {
    if (Menu) Menu->Manage();
}

void TScreen::Draw() {
    if (Image) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::DrawImage(*Image, 0, 0);
    } else {
        plat::Cls();
    }
    if (Header) {
        plat::SetBlend(plat::ALPHABLEND);
        Header->Draw();
    }
    if (Menu) Menu->Draw(0, 0);
}

int TScreen::SetEscDestination() {
    Game().DestinationTScreen = Game().ExitScreen.get();
    return 0;
}

// ---- TGameFade -----------------------------------------------------------------

int TGameFade::Init(int time, int out, plat::ChannelPtr channel, int allowAnim, float startCounter) {
    if (Active) return 0;
    auto& game = Game();
    Length = static_cast<int>(game.CalcAnimLength(static_cast<float>(time)));
    Counter = startCounter;
    Active = 1;
    Out = out;
    FlushInput();
    Done = 0;
    Channel = std::move(channel);
    Channel2.reset();
    AllowAnim = allowAnim;
    FadeInAborted = 0;
    FadeCounterBeforeAbort = 0;
    SetToFullOnAbort = 1;
    AbortKey = -1;
    SettleCounter = 0;
    if (out) game.Audio.FadeMusic = 1;
    Ratio = out ? 1.0f : 0.0f;
    if (startCounter > 0) CalcRatio();
    if (game.Fade == 0 || game.NoFade == 1) Finish();
    return 1;
}

int TGameFade::TurnOut(int time, plat::ChannelPtr channel) {
    if (Active && Out) return 0;
    float startCounter = 0;
    if (Active) {
        Active = 0;
        startCounter = (1.0f - Ratio) * Game().CalcAnimLength(static_cast<float>(time));
    }
    return Init(time, 1, std::move(channel), 0, startCounter);
}

int TGameFade::AnyKeyHit() {
    for (int key = 1; key < KEY_TABLE_SIZE; ++key) {
        if (KeyHit(key)) return key;
    }
    return 0;
}

int TGameFade::Manage() {
    if (!Active) {
        if (SettleCounter > 0) {
            SettleCounter -= Delta;
            FlushInput();
        }
        return 0;
    }
    const int key = AnyKeyHit();
    auto& mouse = Game().Mouse;
    if (key || mouse.h1 > 0) {
        if (!Out) {
            FadeInAborted = 1;
            AbortKey = key ? key : -1;
            SettleCounter = static_cast<float>(Length) - Counter;
        }
        Finish();
        return -1;
    }
    Counter += Delta;
    CalcRatio();
    FadeChannels();
    if (Counter >= static_cast<float>(Length)) {
        Finish();
        return 1;
    }
    return 0;
}

void TGameFade::CalcRatio() {
    const float r = Length > 0 ? std::clamp(Counter / static_cast<float>(Length), 0.0f, 1.0f) : 1.0f;
    Ratio = Out ? 1.0f - r : r;
}

void TGameFade::FadeChannels() {
    auto& game = Game();
    if (Channel) plat::SetChannelVolume(*Channel, Ratio * static_cast<float>(game.MusicVolume) / 100.0f);
    if (Channel2 && Channel2->Channel) {
        plat::SetChannelVolume(*Channel2->Channel, Ratio * static_cast<float>(game.SoundVolume) / 100.0f);
    }
    if (game.Audio.SpeechChannel) {
        plat::SetChannelVolume(*game.Audio.SpeechChannel, Ratio * static_cast<float>(game.SpeechVolume) / 100.0f);
    }
}

void TGameFade::Draw() {
    if (!Active) return;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(1.0f - Ratio);
    plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
}

void TGameFade::Finish() {
    auto& game = Game();
    Active = 0;
    Done = 1;
    if (Out) {
        Ratio = 0;
    } else {
        if (FadeInAborted) FadeCounterBeforeAbort = Counter;
        if (SetToFullOnAbort) Ratio = 1;
    }
    FadeChannels();
    if (Out) {
        if (Channel2) {
            if (Channel2IsGameChannelArray && game.Channels)
                game.Channels->StopGameChannel(Channel2);
            else if (Channel2->Channel)
                plat::StopChannel(*Channel2->Channel);
        }
        if (game.Audio.SpeechChannel) plat::StopChannel(*game.Audio.SpeechChannel);
        if (game.Fade && !game.NoFade && plat::GraphicsOpen()) {
            plat::Cls();
            game.Mouse.Draw();
            plat::Flip(1);
        }
    } else if (game.CurrentTScreen) {
        game.CurrentTScreen->PostFadeIn();
    }
    game.NoFade = 0;
    FlushInput();
}

int TGameFade::GetDone() {
    if (!Done) return 0;
    Done = 0;
    return 1;
}
