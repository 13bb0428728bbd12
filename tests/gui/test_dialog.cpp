// Dialogs driven through the main loop's tick with synthetic mouse and key
// events: OK, yes/no and text-input dialogs, transitions and the standard
// dialogs; plus screenshots of each kind under a real (or dummy) window.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <functional>
#include <map>
#include <tuple>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/dialog.h"
#include "gui/list_box.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "resources/resource_globals.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t SDL_RETURN = 13, SDL_ESCAPE = 27, SDL_BACKSPACE = 8;
const char* const FONT_FILE = VC_TEST_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf";

class ManagingScreen : public TScreen {
public:
    std::function<void()> logic;
    void Logic() override {
        if (logic) logic();
    }
    void Draw() override {}
};

// A button face: a rounded-looking plate with its word, grabbed from the screen.
void MakeButtonImage(const std::string& path, const std::string& word, int r, int g, int b,
                     const plat::ImageFontPtr& font) {
    plat::SetClsColor(0, 0, 0);
    plat::Cls();
    plat::ResetDrawingState();
    plat::SetColor(r, g, b);
    plat::DrawRect(0, 0, 90, 34);
    plat::SetColor(255, 255, 255);
    plat::DrawLine(0, 0, 89, 0);
    if (font) plat::SetImageFont(font);
    plat::DrawText(word, static_cast<float>((90 - plat::TextWidth(word)) / 2), 6);
    auto pixmap = plat::GrabPixmap(0, 0, 90, 34);
    ASSERT_TRUE(pixmap);
    ASSERT_TRUE(plat::SavePixmapPNG(*pixmap, path));
}

GameImagePtr PanelImage(const std::string& name, int w, int h) {
    auto pixmap = plat::CreatePixmap(w, h);
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            const bool edge = xx < 3 || yy < 3 || xx >= w - 3 || yy >= h - 3;
            pixmap->WritePixel(xx, yy, edge ? plat::ARGB(255, 200, 170, 90) : plat::ARGB(235, 40, 50, 90 + yy / 4));
        }
    }
    auto image = TGameImage::CreateFromImage(plat::LoadImageFromPixmap(*pixmap), UpperAscii(name), 0);
    ImageBank().Add(image);
    return image;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetClock(&clock);
        clock.now = 50000;
        ResetGlobals();
        ResetResourceGlobals();
        plat::ClearEvents();
        FlushInput();
        ASSERT_TRUE(plat::OpenGraphics(800, 600, 0, 0));
        font = plat::LoadImageFont(FONT_FILE, 20);
        folder = fs::path(VC_TEST_BINARY_DIR) / "test-home" / "dialog-images";
        fs::create_directories(folder);
        for (const auto& [word, r, g, b] : std::vector<std::tuple<std::string, int, int, int>>{
                 {"OK", 40, 120, 40}, {"Yes", 40, 120, 40}, {"No", 140, 40, 40}, {"Cancel", 140, 40, 40}}) {
            MakeButtonImage((folder / (word + ".png")).string(), word, r, g, b, font);
            MakeButtonImage((folder / (word + "MO.png")).string(), word, r + 60, g + 60, b + 60, font);
        }
        Game().MenuPath = folder.string() + "/";
        Game().ImagePath = folder.string() + "/";
        for (const char* sound : {"buttonMO", "buttonclick"}) {
            auto s = std::make_shared<TGameSound>();
            s->name = UpperAscii(sound);
            SoundBank().Map[s->name] = s;
        }
        PanelImage("input", 400, 180);
        PanelImage("inputlong", 560, 300);
        Game().CurrentTScreen = &screen;
        plat::ResetDrawingState();
    }
    void TearDown() override {
        plat::ClearEvents();
        Game().CurrentTScreen = nullptr;
        ResetResourceGlobals();
        ResetGlobals();
        plat::CloseGraphics();
        plat::SetClock(nullptr);
    }
    // One logic tick of the game with the dialog managed by the screen.
    int Tick(TDialog& dialog) {
        int result = 0;
        screen.logic = [&] { result = dialog.Manage(); };
        clock.now += 5;
        Game().LogicWrapper();
        screen.logic = nullptr;
        return result;
    }
    // Ticks until the dialog answers (at most limit ticks); 0 if it never does.
    int RunUntilAnswer(TDialog& dialog, int limit = 400) {
        for (int i = 0; i < limit; ++i) {
            if (const int r = Tick(dialog)) return r;
        }
        return 0;
    }
    void ClickAt(const TButton& button) {
        const int bx = static_cast<int>(button.x) + button.w / 2;
        const int by = static_cast<int>(button.y) + button.h / 2;
        plat::PostEvent({plat::EventKind::MouseMove, 0, bx, by});
        plat::PostEvent({plat::EventKind::MouseDown, 1, bx, by});
        plat::PostEvent({plat::EventKind::MouseUp, 1, bx, by});
    }
    void Key(int32_t key) {
        plat::PostSDLKey(key, true);
        plat::PostSDLKey(key, false);
    }
    void Shot(const std::string& name) {
        auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
        ASSERT_TRUE(pixmap);
        const fs::path out = fs::path(VC_TEST_BINARY_DIR) / "screenshots";
        fs::create_directories(out);
        EXPECT_TRUE(plat::SavePixmapPNG(*pixmap, (out / (name + ".png")).string()));
    }
    // The backdrop's colour at column x: stripes 20 pixels wide every 40.
    static std::tuple<int, int, int> BackdropAt(int x) {
        return x % 40 < 20 ? std::tuple{70, 150, 110} : std::tuple{30, 90, 60};
    }
    static std::tuple<int, int, int> Rgb(uint32_t p) { return {plat::PixR(p), plat::PixG(p), plat::PixB(p)}; }
    // What a frame shows: the box around every pixel that is not the backdrop,
    // and how many pixels are white (text) or of one colour.
    struct TDrawn {
        int left = 800, top = 600, right = -1, bottom = -1;
        int white = 0;
        std::map<std::tuple<int, int, int>, int> colours;
    };
    static TDrawn Drawn() {
        auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
        TDrawn d;
        if (!pixmap) return d;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const auto rgb = Rgb(pixmap->ReadPixel(x, y));
                ++d.colours[rgb];
                if (std::get<0>(rgb) > 235 && std::get<1>(rgb) > 235 && std::get<2>(rgb) > 235) ++d.white;
                if (rgb == BackdropAt(x)) continue;
                d.left = std::min(d.left, x);
                d.top = std::min(d.top, y);
                d.right = std::max(d.right, x);
                d.bottom = std::max(d.bottom, y);
            }
        }
        return d;
    }
    static std::tuple<int, int, int> At(int x, int y) {
        auto pixmap = plat::GrabPixmap(x, y, 1, 1);
        return pixmap ? Rgb(pixmap->ReadPixel(0, 0)) : std::tuple{-1, -1, -1};
    }
    // The dialog shows at its place: its panel fills its box (plus the shadow
    // on the right and below), with text on it.
    static void ExpectAtItsPlace(const TDrawn& drawn, const TDialog& dialog, int shadow) {
        EXPECT_EQ(drawn.left, dialog.x);
        EXPECT_EQ(drawn.top, dialog.y);
        EXPECT_GE(drawn.right, dialog.x + dialog.w - 1);
        EXPECT_LE(drawn.right, dialog.x + dialog.w - 1 + shadow);
        EXPECT_GE(drawn.bottom, dialog.y + dialog.h - 1);
        EXPECT_LE(drawn.bottom, dialog.y + dialog.h - 1 + shadow);
        EXPECT_GT(drawn.white, 100) << "no caption";
    }
    void Backdrop() {
        plat::ResetDrawingState();
        plat::SetClsColor(30, 90, 60);
        plat::Cls();
        plat::SetColor(70, 150, 110);
        for (int i = 0; i < 800; i += 40) plat::DrawRect(static_cast<float>(i), 0, 20, 600);
        plat::SetColor(255, 255, 255);
    }

    plat::TManualClock clock;
    ManagingScreen screen;
    plat::ImageFontPtr font;
    fs::path folder;
};

TEST_F(DialogTest, YesNoByMouse) {
    auto dialog = CreateYesNoDialog("Really leave the puzzle?");
    EXPECT_EQ(Game().IgnoreEscapeKey, 1);
    auto yes = dialog->Menu->FindButton("Yes");
    auto no = dialog->Menu->FindButton("No");
    ASSERT_TRUE(yes && no);
    EXPECT_LT(yes->x, no->x);
    EXPECT_GE(yes->y, dialog->y);
    EXPECT_LE(yes->y + yes->h, dialog->y + dialog->h);
    EXPECT_EQ(Tick(*dialog), 0);
    ClickAt(*no);
    EXPECT_EQ(RunUntilAnswer(*dialog), -1);
    EXPECT_EQ(Game().IgnoreEscapeKey, 0);

    dialog = CreateYesNoDialog("Again?");
    ClickAt(*dialog->Menu->FindButton("Yes"));
    EXPECT_EQ(RunUntilAnswer(*dialog), 1);
    EXPECT_EQ(dialog->Active, 0);

    // Killed while still open (its screen was left): Escape is given back.
    dialog = CreateYesNoDialog("Left open");
    EXPECT_EQ(Game().IgnoreEscapeKey, 1);
    dialog->Kill();
    EXPECT_EQ(Game().IgnoreEscapeKey, 0);
}

TEST_F(DialogTest, YesNoByKeys) {
    const std::vector<std::pair<int32_t, int>> cases{{'y', 1}, {'n', -1}, {SDL_ESCAPE, -1}};
    for (const auto& [key, answer] : cases) {
        auto dialog = CreateYesNoDialog("Question");
        Key(key);
        EXPECT_EQ(RunUntilAnswer(*dialog), answer) << "key " << key;
        // Escape was taken by the dialog: no fade to another screen started.
        EXPECT_EQ(Game().GameFade.Active, 0);
        EXPECT_EQ(Game().IgnoreEscapeKey, 0);
        dialog->Kill();
    }
    // Enter triggers the OK button (Yes).
    auto dialog = CreateYesNoDialog("Question");
    Key(SDL_RETURN);
    EXPECT_EQ(RunUntilAnswer(*dialog), 1);
}

TEST_F(DialogTest, OKAnswersInTheUpdateThatSeesTheClick) {
    auto dialog = CreateMessageDialog("Saved.");
    ClickAt(*dialog->Menu->FindButton("OK"));
    Game().DoPeekEvent();
    plat::PostEvent({plat::EventKind::MouseMove, 0, Game().Mouse.x, Game().Mouse.y});
    // The click is answered in the update that sees it.
    dialog->Menu->Manage();
    EXPECT_EQ(dialog->Menu->Clicked("OK"), 1);
    EXPECT_EQ(dialog->OKClick(), 1);

}

TEST_F(DialogTest, FixedWidthWrapsALongCaption) {
    auto dialog = TDialogOK::Create("A rather long message that cannot fit on one line of a narrow panel", nullptr,
                                    300, 0, 0);
    dialog->SetupCaption(font, TColor::Create(255, 255, 255), nullptr);
    dialog->Start();
    EXPECT_EQ(dialog->w, 300);
    EXPECT_EQ(dialog->Caption->WordWrap, 260);
    EXPECT_GT(dialog->Caption->TotalLines, 1);
    EXPECT_EQ(dialog->x, 250);
    EXPECT_GT(dialog->h, static_cast<int>(dialog->Caption->CalcHeight()));
}

TEST_F(DialogTest, TextInputAnswers) {
    auto dialog = CreateTextInputDialog(1, "Your name?");
    dialog->Start();
    EXPECT_EQ(Game().BlockKeys, 1);
    plat::PostTextInput("  anna \xc3\xa9:/=  ");
    Key(SDL_RETURN);
    EXPECT_EQ(RunUntilAnswer(*dialog, 40), 1);
    EXPECT_EQ(dialog->Answer(), "Anna \xe9");
    EXPECT_EQ(Game().BlockKeys, 0);
    EXPECT_EQ(Game().IgnoreEscapeKey, 0);
    dialog->Kill();

    // Cancel answers -1.
    dialog = CreateTextInputDialog(1, "Your name?");
    dialog->Start();
    plat::PostTextInput("Bob");
    Tick(*dialog);
    ClickAt(*dialog->Menu->FindButton("Cancel"));
    EXPECT_EQ(RunUntilAnswer(*dialog), -1);
    EXPECT_EQ(dialog->CloseResult, -1);
    dialog->Kill();
    // Escape on a dialog with Cancel cancels.
    dialog = CreateTextInputDialog(1, "Your name?");
    dialog->Start();
    Key(SDL_ESCAPE);
    EXPECT_EQ(RunUntilAnswer(*dialog, 20), -1);
}

TEST_F(DialogTest, TextInputRefusesUnsafeOrEmptyAnswers) {
    auto dialog = CreateTextInputDialog(0, "Save as?");
    dialog->Start();
    auto ok = dialog->Menu->FindButton("OK");
    // An empty answer is told under the line, by Enter and by OK alike.
    for (const char* typed : {"", "   "}) {
        plat::PostTextInput(typed);
        Key(SDL_RETURN);
        EXPECT_EQ(RunUntilAnswer(*dialog, 40), 0) << '"' << typed << '"';
        dialog->TextInput->Refusal = ERefusal::None;
        ClickAt(*ok);
        EXPECT_EQ(RunUntilAnswer(*dialog, 40), 0) << '"' << typed << '"';
        EXPECT_EQ(dialog->TextInput->Refusal, ERefusal::Empty);
        EXPECT_FALSE(dialog->DialogOK);
        EXPECT_EQ(dialog->TextInput->Active, 1) << "typing goes on";
    }

    // Blanks typed into the empty line would be trimmed: they take no room.
    dialog->Kill();
    dialog = CreateTextInputDialog(0, "Your name?");
    dialog->TextInput->MaxLength = 10;
    dialog->Start();
    for (const int blanks : {8, 10}) {
        plat::PostTextInput((std::string(static_cast<size_t>(blanks), ' ') + "zed").c_str());
        RunUntilAnswer(*dialog, 40);
        EXPECT_EQ(dialog->TextInput->Text, "zed") << blanks;
        for (int i = 0; i < 3; ++i) Key(SDL_BACKSPACE);
        RunUntilAnswer(*dialog, 10);
    }
    ok = dialog->Menu->FindButton("OK");
    // Space types a blank, it never clicks OK; without Cancel Escape does nothing.
    plat::PostTextInput("a b");
    Key(SDL_ESCAPE);
    EXPECT_EQ(RunUntilAnswer(*dialog, 40), 0);
    EXPECT_EQ(dialog->Answer(), "a b");
    ClickAt(*ok);
    EXPECT_EQ(RunUntilAnswer(*dialog, 40), 1);
    EXPECT_EQ(dialog->Answer(), "A b");
}

TEST_F(DialogTest, ErrorCheckShowsAMessageThenTypingGoesOn) {
    auto dialog = CreateTextInputDialog(1, "Player name?");
    dialog->ErrorCheckFunc = [](const std::string& answer, std::string& message) {
        if (answer != "Taken") return 1;
        message = "That name is taken.";
        return -1;
    };
    dialog->Start();
    plat::PostTextInput("taken");
    Key(SDL_RETURN);
    EXPECT_EQ(RunUntilAnswer(*dialog, 40), 0);
    ASSERT_TRUE(dialog->DialogOK);
    EXPECT_EQ(dialog->DialogOK->Caption->Text, "That name is taken.");
    Key(SDL_RETURN);  // closes the message
    RunUntilAnswer(*dialog, 10);
    EXPECT_FALSE(dialog->DialogOK);
    EXPECT_EQ(Game().IgnoreEscapeKey, 1) << "the text dialog still holds Escape";
    for (int i = 0; i < 5; ++i) Key(SDL_BACKSPACE);
    plat::PostTextInput("Free");
    Key(SDL_RETURN);
    EXPECT_EQ(RunUntilAnswer(*dialog, 40), 1);
    EXPECT_EQ(dialog->Answer(), "Free");
}

TEST_F(DialogTest, StandardTextInputDrawsAFramedField) {
    auto dialog = CreateTextInputDialog(1, "Please enter your name:");
    dialog->Start();
    Backdrop();
    dialog->Draw();
    auto screen = plat::GrabPixmap(0, 0, 800, 600);
    ASSERT_TRUE(screen);
    const int left = dialog->x + dialog->BoxBorderH, top = static_cast<int>(dialog->Text->Y) - dialog->BoxBorderV;
    const int right = dialog->x + dialog->w - dialog->BoxBorderH - 1;
    const int bottom = top + static_cast<int>(dialog->Text->CalcHeight()) + 2 * dialog->BoxBorderV - 1;
    const uint32_t frame = plat::ARGB(255, 217, 180, 99) & 0xffffffu, field = plat::ARGB(255, 8, 12, 24) & 0xffffffu;
    for (const auto& [x, y] : {std::pair{left - 1, top + 3}, {right + 1, top + 3}, {left + 30, top - 1},
                               {left + 30, bottom + 2}})
        EXPECT_EQ(screen->ReadPixel(x, y) & 0xffffffu, frame) << x << ", " << y;
    for (const auto& [x, y] : {std::pair{left, top + 3}, {right, top + 3}, {right - 3, bottom}})
        EXPECT_EQ(screen->ReadPixel(x, y) & 0xffffffu, field) << x << ", " << y;
}

// Each kind of dialog drawn over a striped backdrop shows where it should,
// with its panel, caption and buttons; the screenshots are for people.
TEST_F(DialogTest, EachKindDrawsWhereItShould) {
    const std::tuple<int, int, int> panelEdge{200, 170, 90};
    auto message = CreateMessageDialog("Your game has been saved.");
    message->SetupCaption(font, TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f));
    Backdrop();
    message->Draw();
    Shot("dialog_message");
    {
        SCOPED_TRACE("message");
        ExpectAtItsPlace(Drawn(), *message, 12);
        EXPECT_EQ(At(message->x + 1, message->y + 1), panelEdge);
        auto ok = message->Menu->FindButton("OK");
        ASSERT_TRUE(ok);
        const auto [r, g, b] = At(static_cast<int>(ok->x) + 4, static_cast<int>(ok->y) + ok->h - 4);
        EXPECT_TRUE(g > r + 40 && g > b + 40) << r << "," << g << "," << b;  // the green OK plate
    }

    auto longMessage = CreateMessageDialog("This puzzle has no marble left to clear. Build one with marble "
                                           "floor under some gems and try again.");
    longMessage->FixedWidth = 1;
    longMessage->Background = nullptr;
    longMessage->w = 460;
    longMessage->Shadow = TShadow::Create(3, 3, 0.4f);
    longMessage->DialogColor = TColor::Create(60, 70, 120);
    longMessage->SetupCaption(font, TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f));
    longMessage->Start();
    Backdrop();
    longMessage->Draw();
    Shot("dialog_long_plain");
    {
        SCOPED_TRACE("long message");
        ExpectAtItsPlace(Drawn(), *longMessage, 3);
        EXPECT_EQ(At(longMessage->x + 1, longMessage->y + 1), (std::tuple{60, 70, 120}));
    }

    auto question = CreateYesNoDialog("Do you really want to quit?");
    question->SetupCaption(font, TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f));
    question->DimBackground = 0.5f;
    Backdrop();
    question->Draw();
    Shot("dialog_yes_no");
    {
        SCOPED_TRACE("yes/no");
        // The screen around it is dimmed to half.
        const auto [r, g, b] = At(2, 2);
        EXPECT_NEAR(r, 35, 3);
        EXPECT_NEAR(g, 75, 3);
        EXPECT_NEAR(b, 55, 3);
        EXPECT_EQ(At(question->x + 1, question->y + 1), panelEdge);
        auto no = question->Menu->FindButton("No");
        ASSERT_TRUE(no);
        const auto [nr, ng, nb] = At(static_cast<int>(no->x) + 4, static_cast<int>(no->y) + no->h - 4);
        EXPECT_TRUE(nr > ng + 40 && nr > nb + 40) << nr << "," << ng << "," << nb;  // the red No plate
    }

    auto input = CreateTextInputDialog(1, "Please enter your name:");
    input->SetupCaption(font, TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f));
    input->SetupText(font, TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f), 1);
    input->TextInput->DotCol = TColor::Create(255, 255, 255);
    input->Start();
    input->TextInput->CursorOn = 0;
    Backdrop();
    input->Draw();
    const int whiteBefore = Drawn().white;
    plat::PostTextInput("Zo\xc3\xab");
    for (int i = 0; i < 5; ++i) Tick(*input);
    input->TextInput->CursorOn = 0;
    Backdrop();
    input->Draw();
    Shot("dialog_text_input");
    {
        SCOPED_TRACE("text input");
        const TDrawn drawn = Drawn();
        ExpectAtItsPlace(drawn, *input, 12);
        EXPECT_GT(drawn.white, whiteBefore + 30) << "the typed name does not show";
    }

    auto list = TListBox::Create(4, 0, 1, 400);
    list->SetCoords(250, 150, 300, 240);
    list->SetupFont(font, TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f),
                    TColor::Create(255, 255, 0));
    list->SetupBox(TColor::Create(10, 10, 40, 0.9f));
    for (int i = 1; i <= 12; ++i) list->Strings.push_back("Saved game " + std::to_string(i));
    list->Limit = list->DisplayLines;
    list->LockedArray.assign(12, 0);
    list->LockedArray[4] = 1;
    list->LockedColor = TColor::Create(120, 120, 120, 0.8f);
    list->SetIndex(9);
    Backdrop();
    list->Draw();
    Shot("list_box");
    {
        SCOPED_TRACE("list box");
        const TDrawn drawn = Drawn();
        EXPECT_EQ(drawn.left, 250);
        EXPECT_EQ(drawn.top, 150);
        EXPECT_EQ(drawn.right, 549);
        EXPECT_GT(drawn.white, 200) << "no lines";
        // The chosen line in yellow.
        int yellow = 0;
        for (const auto& [rgb, count] : drawn.colours) {
            const auto [r, g, b] = rgb;
            if (r > 235 && g > 235 && b < 60) yellow += count;
        }
        EXPECT_GT(yellow, 30);
    }
}

}  // namespace
