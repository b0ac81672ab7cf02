#include "platform/WindowHost.h"
#include "platform/sdl/SdlKeyMap.h"

#include <gtest/gtest.h>

namespace {

// SDL's keycode of a key that types no character: its USB HID usage with bit 30 set.
constexpr int32_t Hid(int usage) { return usage | (1 << 30); }

// Scancodes are the HID usages themselves.
constexpr int kScanA = 4, kScanZ = 29, kScan1 = 30, kScan2 = 31, kScan0 = 39;

struct Pair {
    int32_t keycode;
    int vk;
};

void ExpectKeys(std::initializer_list<Pair> pairs)
{
    for (const Pair& pair : pairs)
        EXPECT_EQ(VirtualKeyFromSdl(pair.keycode, 0), pair.vk) << "keycode " << pair.keycode;
}

}  // namespace

TEST(SdlKeyMap, LettersAndDigitsFollowTheLayout)
{
    ExpectKeys({{'a', 'A'}, {'m', 'M'}, {'z', 'Z'}, {'0', '0'}, {'5', '5'}, {'9', '9'}});
    // The key's place does not matter when the layout names a letter: Dvorak's 'o' sits on S.
    EXPECT_EQ(VirtualKeyFromSdl('o', 22), 'O');
}

TEST(SdlKeyMap, EditingAndNavigationKeys)
{
    ExpectKeys({{'\r', 0x0D}, {27, 0x1B}, {'\b', 0x08}, {'\t', 0x09}, {' ', 0x20}, {127, 0x2E},
                {Hid(73), 0x2D}, {Hid(74), 0x24}, {Hid(77), 0x23}, {Hid(75), 0x21}, {Hid(78), 0x22},
                {Hid(80), 0x25}, {Hid(82), 0x26}, {Hid(79), 0x27}, {Hid(81), 0x28}, {Hid(70), 0x2C},
                {Hid(72), 0x13}, {Hid(57), 0x14}, {Hid(83), 0x90}, {Hid(71), 0x91}, {Hid(101), 0x5D}});
}

TEST(SdlKeyMap, FunctionKeysRunOnPastTwelve)
{
    ExpectKeys({{Hid(58), 0x70}, {Hid(63), 0x75}, {Hid(69), 0x7B}, {Hid(104), 0x7C}, {Hid(115), 0x87}});
}

TEST(SdlKeyMap, KeypadKeysAreTheirOwnExceptEnter)
{
    ExpectKeys({{Hid(98), 0x60}, {Hid(89), 0x61}, {Hid(97), 0x69}, {Hid(85), 0x6A}, {Hid(87), 0x6B},
                {Hid(86), 0x6D}, {Hid(99), 0x6E}, {Hid(84), 0x6F}, {Hid(88), 0x0D}});
}

TEST(SdlKeyMap, LeftAndRightModifiersShareOneKey)
{
    ExpectKeys({{Hid(225), 0x10}, {Hid(229), 0x10}, {Hid(224), 0x11}, {Hid(228), 0x11}, {Hid(226), 0x12},
                {Hid(230), 0x12}, {Hid(227), 0x5B}, {Hid(231), 0x5C}});
}

TEST(SdlKeyMap, PunctuationGetsTheUsKeyboardsKeys)
{
    ExpectKeys({{';', 0xBA}, {'=', 0xBB}, {',', 0xBC}, {'-', 0xBD}, {'.', 0xBE}, {'/', 0xBF}, {'`', 0xC0},
                {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE}});
}

TEST(SdlKeyMap, OtherScriptsAndSymbolRowsFallBackToTheKeysPlace)
{
    EXPECT_EQ(VirtualKeyFromSdl(0x0444, kScanA), 'A');  // Cyrillic ef on the A key
    EXPECT_EQ(VirtualKeyFromSdl(0x044F, kScanZ), 'Z');  // Cyrillic ya on the Z key
    EXPECT_EQ(VirtualKeyFromSdl('&', kScan1), '1');     // the French digit row
    EXPECT_EQ(VirtualKeyFromSdl(0x00E9, kScan2), '2');
    EXPECT_EQ(VirtualKeyFromSdl(0x00E0, kScan0), '0');
}

TEST(SdlKeyMap, KeysTheToolkitDoesNotUseAreZero)
{
    EXPECT_EQ(VirtualKeyFromSdl(Hid(200), 200), 0);
    EXPECT_EQ(VirtualKeyFromSdl('&', 0), 0);
    EXPECT_EQ(VirtualKeyFromSdl(0, 0), 0);
}

TEST(SdlKeyCharacters, ControlKeysTypeTheirControlCharacters)
{
    for (unsigned shift : {0u, unsigned(hsShift), unsigned(hsCtrl), unsigned(hsAlt)}) {
        EXPECT_EQ(CharacterForKey(0x0D, shift), U'\r');
        EXPECT_EQ(CharacterForKey(0x1B, shift), U'\x1B');
        EXPECT_EQ(CharacterForKey(0x08, shift), U'\b');
        EXPECT_EQ(CharacterForKey(0x09, shift), U'\t');
    }
    // Ctrl and Alt together are AltGr on some layouts: whatever it types comes as text.
    EXPECT_EQ(CharacterForKey(0x0D, hsCtrl | hsAlt), 0u);
}

TEST(SdlKeyCharacters, CtrlAndALetterIsItsControlCode)
{
    EXPECT_EQ(CharacterForKey('A', hsCtrl), 1u);
    EXPECT_EQ(CharacterForKey('C', hsCtrl | hsShift), 3u);
    EXPECT_EQ(CharacterForKey('Z', hsCtrl), 26u);
    EXPECT_EQ(CharacterForKey('1', hsCtrl), 0u);
    EXPECT_EQ(CharacterForKey(0xBA, hsCtrl), 0u);
}

TEST(SdlKeyCharacters, AltWithALetterOrDigitTypesItForMnemonics)
{
    EXPECT_EQ(CharacterForKey('O', hsAlt), U'o');
    EXPECT_EQ(CharacterForKey('O', hsAlt | hsShift), U'O');
    EXPECT_EQ(CharacterForKey('7', hsAlt), U'7');
    EXPECT_EQ(CharacterForKey(0x20, hsAlt), U' ');
    EXPECT_EQ(CharacterForKey('O', hsCtrl | hsAlt), 0u);
}

TEST(SdlKeyCharacters, PlainTypingIsLeftToTextInput)
{
    EXPECT_EQ(CharacterForKey('A', 0), 0u);
    EXPECT_EQ(CharacterForKey('A', hsShift), 0u);
    EXPECT_EQ(CharacterForKey(0x20, 0), 0u);
    EXPECT_EQ(CharacterForKey(0x70, hsAlt), 0u);  // Alt+F1 types nothing

    EXPECT_FALSE(KeyTextIsSynthesised(0));
    EXPECT_FALSE(KeyTextIsSynthesised(hsShift | hsLeftButton));
    EXPECT_TRUE(KeyTextIsSynthesised(hsCtrl));
    EXPECT_TRUE(KeyTextIsSynthesised(hsAlt | hsShift));
    EXPECT_FALSE(KeyTextIsSynthesised(hsCtrl | hsAlt));
}
