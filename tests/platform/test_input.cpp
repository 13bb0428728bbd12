// Key translation, text conversion, the event queue and the polled tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/utf8.h"

using namespace plat;

namespace {

// SDL keycodes: printable keys are their character, the others are
// scancodes with bit 30 set.
constexpr int32_t Scan(int scancode) { return int32_t(scancode | (1 << 30)); }
constexpr int32_t SDL_ESCAPE = 27, SDL_RETURN = 13, SDL_BACKSPACE = 8, SDL_TAB = 9;
constexpr int32_t SDL_CAPSLOCK = Scan(57), SDL_F1 = Scan(58), SDL_F12 = Scan(69), SDL_LEFT = Scan(80),
                  SDL_DOWN = Scan(81), SDL_KP_ENTER = Scan(88), SDL_KP_1 = Scan(89), SDL_KP_0 = Scan(98),
                  SDL_LSHIFT = Scan(225), SDL_RALT = Scan(230), SDL_PRINTSCREEN = Scan(70);

std::vector<Event> TakeAll() {
    std::vector<Event> events;
    Event e;
    while (TakeEvent(e)) events.push_back(e);
    return events;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearEvents();
        PolledFlushKeys();
        PolledFlushMouse();
    }
};

TEST(KeyTranslation, SdlKeysBecomeVirtualKeyCodes) {
    const std::vector<std::pair<int32_t, int>> table = {
        {SDL_ESCAPE, 27}, {SDL_RETURN, 13}, {SDL_KP_ENTER, 13}, {SDL_BACKSPACE, 8}, {SDL_TAB, 9},
        {' ', 32},        {'a', 65},        {'z', 90},          {'0', 48},          {'9', 57},
        {SDL_F1, 112},    {SDL_F12, 123},   {SDL_LEFT, 37},     {SDL_DOWN, 40},     {SDL_KP_0, 96},
        {SDL_KP_1, 97},   {SDL_LSHIFT, 160}, {SDL_RALT, 165},   {';', 186},         {'=', 187},
        {',', 188},       {'-', 189},       {'.', 190},         {'/', 191},         {'`', 192},
        {'[', 219},       {'\\', 220},      {']', 221},         {'\'', 222},
    };
    for (const auto& [sdl, vk] : table) EXPECT_EQ(VirtualKeyFromSDL(sdl), vk) << "SDL key " << sdl;
    EXPECT_EQ(VirtualKeyFromSDL(SDL_CAPSLOCK), 0);
    EXPECT_EQ(VirtualKeyFromSDL(SDL_PRINTSCREEN), 0);
    EXPECT_EQ(VirtualKeyFromSDL(Scan(300)), 0);
}

// Typed text arrives as code points, the ones beyond Latin-1 too, for the
// text field to refuse in plain sight; broken bytes are skipped.
TEST(TextConversion, Utf8BecomesCodePointsAndBrokenBytesAreSkipped) {
    std::u32string codes;
    EXPECT_TRUE(DecodeUtf8("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", codes));
    EXPECT_EQ(codes, (std::u32string{U'a', 0xe9, 0x20ac, 0x1f600}));
    // Cut short, stray continuation bytes, an overlong 'A', a surrogate.
    EXPECT_FALSE(DecodeUtf8("\xc3" "b\x80" "c\xc1\x81\xed\xa0\x80", codes));
    EXPECT_EQ(codes, U"bc");
    ClearEvents();
    PostTextInput("\xc5\x81");
    Event e;
    ASSERT_TRUE(TakeEvent(e));
    EXPECT_EQ(e.data, 0x141);
}

TEST_F(InputTest, EventsArriveInOrderAndPeekLeavesThem) {
    PostSDLKey(SDL_ESCAPE, true);
    PostTextInput("\xc3\xa9");
    PostEvent({EventKind::MouseDown, 1, 10, 20});
    PostSDLKey(SDL_CAPSLOCK, true);  // no code: nothing queued
    PostSDLKey(SDL_BACKSPACE, true, true);  // a repeat gives the character only
    PostSDLKey(SDL_ESCAPE, false);
    PostEvent({EventKind::AppSuspend, 0, 0, 0});

    const auto events = TakeAll();
    const std::vector<std::pair<EventKind, int>> expected = {
        {EventKind::KeyDown, 27}, {EventKind::KeyChar, 27}, {EventKind::KeyChar, 0xe9}, {EventKind::MouseDown, 1},
        {EventKind::KeyChar, 8},  {EventKind::KeyUp, 27},   {EventKind::AppSuspend, 0},
    };
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(events[i].kind, expected[i].first) << "event " << i;
        EXPECT_EQ(events[i].data, expected[i].second) << "event " << i;
    }
    EXPECT_EQ(events[3].x, 10);
    EXPECT_EQ(events[3].y, 20);
}

TEST_F(InputTest, PolledKeyHitsCountOncePerQuery) {
    PostSDLKey('a', true);
    PostSDLKey('a', false);
    PostSDLKey('a', true);
    PollAllEvents();
    EXPECT_TRUE(PolledKeyHit(KEY_A));
    EXPECT_FALSE(PolledKeyHit(KEY_A));
    EXPECT_TRUE(PolledKeyDown(KEY_A));
    PostSDLKey('a', false);
    PollAllEvents();
    EXPECT_FALSE(PolledKeyDown(KEY_A));

    // Codes outside the table are ignored, never indexed.
    PostEvent({EventKind::KeyDown, 999, 0, 0});
    PostEvent({EventKind::KeyDown, -5, 0, 0});
    PollAllEvents();
    EXPECT_EQ(PolledKeyHit(999), 0);
    EXPECT_EQ(PolledKeyDown(-5), 0);

    PostTextInput("hi");
    PostSDLKey(SDL_RETURN, true);
    PollAllEvents();
    EXPECT_EQ(PolledGetChar(), 'h');
    EXPECT_EQ(PolledGetChar(), 'i');
    EXPECT_EQ(PolledGetChar(), 13);
    EXPECT_EQ(PolledGetChar(), 0);

    PostSDLKey(SDL_LEFT, true);
    PostTextInput("x");
    PollAllEvents();
    PolledFlushKeys();
    EXPECT_FALSE(PolledKeyHit(KEY_LEFT));
    EXPECT_FALSE(PolledKeyDown(KEY_LEFT));
    EXPECT_EQ(PolledGetChar(), 0);
}

TEST_F(InputTest, PolledMouseFollowsTheEvents) {
    PostEvent({EventKind::MouseMove, 0, 120, 340});
    PostEvent({EventKind::MouseDown, 2, 121, 341});
    PostEvent({EventKind::MouseDown, 2, 121, 341});
    PostEvent({EventKind::MouseWheel, -3, 0, 0});
    PostEvent({EventKind::MouseDown, 7, 0, 0});  // unknown button
    PollAllEvents();
    EXPECT_EQ(PolledMouseX(), 121);
    EXPECT_EQ(PolledMouseY(), 341);
    EXPECT_TRUE(PolledMouseDown(2));
    EXPECT_TRUE(PolledMouseHit(2));
    EXPECT_FALSE(PolledMouseHit(2));
    EXPECT_FALSE(PolledMouseHit(7));
    PostEvent({EventKind::MouseUp, 2, 121, 341});
    PollAllEvents();
    EXPECT_FALSE(PolledMouseDown(2));
    PostEvent({EventKind::MouseDown, 1, 121, 341});
    PollAllEvents();
    PolledFlushMouse();
    EXPECT_FALSE(PolledMouseDown(1));
    EXPECT_FALSE(PolledMouseHit(1));
}

}  // namespace
