// The line editor fed by synthetic key and text events, and the file-name rules.
#include <gtest/gtest.h>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/text_input.h"
#include "platform/clock.h"
#include "platform/input.h"

namespace {

constexpr int32_t SDL_BACKSPACE = 8, SDL_RETURN = 13, SDL_ESCAPE = 27;

class TextInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetClock(&clock);
        ResetGlobals();
        plat::ClearEvents();
        FlushInput();
        input.Init(nullptr, "", 0, 0);
    }
    void TearDown() override {
        plat::ClearEvents();
        ResetGlobals();
        plat::SetClock(nullptr);
    }
    // Takes the posted events and runs the editor until it finishes or the
    // characters run out; answers its last result.
    int Run() {
        Game().DoPeekEvent();
        int result = 0;
        for (int i = 0; i < 300 && result == 0 && input.Active; ++i) result = input.Manage();
        return result;
    }
    void Key(int32_t key) {
        plat::PostSDLKey(key, true);
        plat::PostSDLKey(key, false);
    }
    plat::TManualClock clock;
    TTextInput input;
};

TEST_F(TextInputTest, LengthLimitAndBackspace) {
    Key(SDL_BACKSPACE);  // on an empty line: nothing
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(input.Text, "");
    plat::PostTextInput("abcdefghijk");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(input.Text, "abcdefghij");
    EXPECT_EQ(input.CurrentChar, 11);
    EXPECT_EQ(input.Refusal, ERefusal::Length);
    Key(SDL_BACKSPACE);
    Run();
    EXPECT_EQ(input.Refusal, ERefusal::None) << "room made: the limit no longer matters";
    Key(SDL_BACKSPACE);
    plat::PostTextInput("Z");
    Run();
    EXPECT_EQ(input.Text, "abcdefghZ");
    EXPECT_EQ(input.CurrentChar, 10);
    EXPECT_EQ(Game().BlockKeys, 1) << "the application keys stay blocked while editing";
    Key(SDL_RETURN);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(input.Done, 1);
    EXPECT_EQ(input.Active, 0);
    EXPECT_EQ(Game().BlockKeys, 0);
}

// What the line holds is what was typed and taken; every key refused says
// why, for a few seconds, also when more is typed after it.
TEST_F(TextInputTest, RefusedCharactersTakeNoRoomAndSayWhy) {
    input.MaxLength = 30;
    input.BannedChars = NameBannedChars + "=";
    plat::PostTextInput("a\"|*\\/:;~?<>=b");
    Run();
    EXPECT_EQ(input.Text, "ab");
    EXPECT_EQ(input.Refusal, ERefusal::Sign) << "still told after the b";

    // Without extended characters only ASCII is taken.
    plat::PostTextInput("\xc3\xa9t");
    Run();
    EXPECT_EQ(input.Text, "abt");
    EXPECT_EQ(input.Refusal, ERefusal::Letter);
    input.AllowExtendedChars = 1;
    // "é", "Ł" and "日" (beyond Latin-1, refused), "ß"; a C1 control code and
    // a tab type nothing.
    plat::PostTextInput("\xc3\xa9\xc5\x81\xe6\x97\xa5\xc3\x9f\xc2\x85\t");
    Run();
    EXPECT_EQ(input.Text, "abt\xe9\xdf");
    EXPECT_EQ(input.Refusal, ERefusal::Letter);
    int ticks = 0;  // told for a few seconds, then the line goes
    for (; ticks < 2000 && input.Refusal != ERefusal::None; ++ticks) input.Manage();
    EXPECT_TRUE(ticks > 400 && ticks < 2000) << ticks;
}

TEST_F(TextInputTest, EnterEscapeAndEmptyAnswers) {
    input.AllowNull = 0;
    Key(SDL_RETURN);
    EXPECT_EQ(Run(), 0) << "an empty answer is refused";
    EXPECT_EQ(input.Active, 1);
    EXPECT_EQ(input.Refusal, ERefusal::Empty);
    plat::PostTextInput("xy");
    Key(SDL_ESCAPE);
    EXPECT_EQ(Run(), -1);
    EXPECT_EQ(input.Text, "");
    EXPECT_EQ(input.Done, 1);

    input.Reset();
    input.AllowEscToAbort = 0;
    Key(SDL_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(input.Active, 1);
}

TEST_F(TextInputTest, NumbersOnlyStillFinishesWithEnter) {
    input.NumbersOnly = 1;
    plat::PostTextInput("1a2b3");
    Key(SDL_RETURN);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(input.Text, "123");
    EXPECT_EQ(input.Refusal, ERefusal::Digit);
}

TEST_F(TextInputTest, PixelWidthLimit) {
    input.Font = plat::LoadImageFont(VC_TEST_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf", 20);
    ASSERT_TRUE(input.Font);
    input.MaxLength = 100;
    input.MaxPixelWidth = plat::FontTextWidth(*input.Font, "WWW");
    plat::PostTextInput("WWWW");
    Run();
    EXPECT_EQ(input.Text, "WWW");
    EXPECT_EQ(input.Refusal, ERefusal::Length);
}

TEST_F(TextInputTest, CaretFlashes) {
    const int period = input.CursorFlashSpeed;
    EXPECT_EQ(period, 50);  // 250 ms at 200 updates per second
    for (int i = 0; i < period; ++i) input.Manage();
    EXPECT_EQ(input.CursorOn, 0);
    for (int i = 0; i < period; ++i) input.Manage();
    EXPECT_EQ(input.CursorOn, 1);
}

TEST(FileNameRules, SafeNames) {
    for (const char* good : {"Anna", "Level 12", "x", "\xe9t\xe9", "a.b", "..a"}) {
        EXPECT_TRUE(IsSafeFileName(good)) << good;
    }
    for (const char* bad : {"", ".", "..", " Anna", "Anna ", "a/b", "a\\b", "a:b", "a=b", "a|b", "a?b", "a*b",
                            "a<b", "a>b", "a\"b", "a;b", "a~b", "a\tb", "a\x7f", "a\x85"}) {
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    }
    EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(UppercaseFirst("anna"), "Anna");
    EXPECT_EQ(UppercaseFirst("\xe9mile"), "\xc9mile");
    EXPECT_EQ(UppercaseFirst("1a"), "1a");
    EXPECT_EQ(NameBannedChars.size(), 11u);
}

}  // namespace
