// The keys on the screen: the language's own letters, moving round the
// grid's edges, Shift, and the pad's button names put into a prompt.
#include <gtest/gtest.h>

#include <algorithm>

#include "gui/pad_prompts.h"
#include "gui/screen_keyboard.h"
#include "resources/resource_globals.h"

namespace {

size_t IndexOf(const TScreenKeyboard& keyboard, int ch) {
    const auto& keys = keyboard.Keys();
    return static_cast<size_t>(std::find_if(keys.begin(), keys.end(), [ch](const auto& k) { return k.ch == ch; }) -
                               keys.begin());
}

TEST(ScreenKeyboard, HoldsTheLanguagesLettersAndWrapsAtEveryEdge) {
    TScreenKeyboard keyboard;
    keyboard.Build("\xe4\xf6\xfc\xdf");  // äöüß
    for (const int ch : {int{'1'}, int{'0'}, int{'a'}, int{'z'}, 0xE4, 0xDF, int{'-'}, TScreenKeyboard::KEY_OK,
                         TScreenKeyboard::KEY_SHIFT})
        EXPECT_LT(IndexOf(keyboard, ch), keyboard.Keys().size()) << ch;

    keyboard.Highlight = IndexOf(keyboard, '1');
    keyboard.Move(-1, 0);
    EXPECT_EQ(keyboard.Keys()[keyboard.Highlight].ch, '0') << "left from the first digit wraps to the last";
    keyboard.Move(1, 0);
    keyboard.Move(0, -1);
    EXPECT_EQ(keyboard.Keys()[keyboard.Highlight].ch, TScreenKeyboard::KEY_SHIFT) << "up from the top row wraps down";
    keyboard.Move(0, 1);
    EXPECT_EQ(keyboard.Keys()[keyboard.Highlight].ch, '2') << "down from a wide key: the key under its middle";
    // Down from OK, past the end of the short digit row: that row's last key.
    keyboard.Highlight = IndexOf(keyboard, TScreenKeyboard::KEY_OK);
    keyboard.Move(0, 1);
    EXPECT_EQ(keyboard.Keys()[keyboard.Highlight].ch, '0');
}

TEST(PadPrompts, MarksTakeTheNamesOfThePadsKind) {
    GameText().Map["PAD BUTTONS XBOX"] = {"A|B|X|Y|View|Menu|LB|RB|LT|RT|LS|RS"};
    GameText().Map["PAD BUTTONS PLAYSTATION"] = {"Cross|Circle|Square|Triangle|Share|Options|L1|R1|L2|R2|L3|R3"};
    GameText().Map["PAD BUTTONS NINTENDO"] = {"A|B|X|Y|Minus|Plus"};
    const std::string text = "{A} picks, {B} goes back, {START} pauses, {A} again, {RS}";
    EXPECT_EQ(PadWords(text, plat::PadKind::Xbox), "A picks, B goes back, Menu pauses, A again, RS");
    EXPECT_EQ(PadWords(text, plat::PadKind::PlayStation),
              "Cross picks, Circle goes back, Options pauses, Cross again, R3");
    // A name the table lacks: the mark's own letters.
    EXPECT_EQ(PadWords(text, plat::PadKind::Nintendo), "A picks, B goes back, Plus pauses, A again, RS");
}

}  // namespace
