#include "platform/sdl/SdlKeyMap.h"

#include "platform/WindowHost.h"

#include <SDL_keycode.h>

namespace {

struct KeyPair {
    SDL_Keycode sdl;
    int vk;
};

constexpr KeyPair kKeys[] = {
    {SDLK_RETURN, 0x0D},       {SDLK_KP_ENTER, 0x0D},     {SDLK_ESCAPE, 0x1B},    {SDLK_BACKSPACE, 0x08},
    {SDLK_TAB, 0x09},          {SDLK_SPACE, 0x20},        {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},          {SDLK_HOME, 0x24},         {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},        {SDLK_DOWN, 0x28},         {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},       {SDLK_PAUSE, 0x13},        {SDLK_CAPSLOCK, 0x14},  {SDLK_LSHIFT, 0x10},
    {SDLK_RSHIFT, 0x10},       {SDLK_LCTRL, 0x11},        {SDLK_RCTRL, 0x11},     {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},         {SDLK_LGUI, 0x5B},         {SDLK_RGUI, 0x5C},      {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_0, 0x60},         {SDLK_KP_1, 0x61},         {SDLK_KP_2, 0x62},      {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64},         {SDLK_KP_5, 0x65},         {SDLK_KP_6, 0x66},      {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},         {SDLK_KP_9, 0x69},         {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},    {SDLK_KP_DIVIDE, 0x6F}, {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},   {SDLK_SEMICOLON, 0xBA},    {SDLK_EQUALS, 0xBB},    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},        {SDLK_PERIOD, 0xBE},       {SDLK_SLASH, 0xBF},     {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},    {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

constexpr int kVkReturn = 0x0D, kVkEscape = 0x1B, kVkBack = 0x08, kVkTab = 0x09, kVkSpace = 0x20;
constexpr int kVkF1 = 0x70;

bool IsLetter(int vk) { return vk >= 'A' && vk <= 'Z'; }
bool IsDigit(int vk) { return vk >= '0' && vk <= '9'; }

int FromScancode(int scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    return 0;
}

}  // namespace

int VirtualKeyFromSdl(int32_t keycode, int scancode)
{
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return keycode;
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return kVkF1 + (keycode - SDLK_F1);
    if (keycode >= SDLK_F13 && keycode <= SDLK_F24)
        return kVkF1 + 12 + (keycode - SDLK_F13);
    for (const KeyPair& pair : kKeys)
        if (pair.sdl == keycode)
            return pair.vk;
    return FromScancode(scancode);
}

char32_t CharacterForKey(int virtualKey, unsigned shift)
{
    const bool ctrl = (shift & hsCtrl) != 0, alt = (shift & hsAlt) != 0;
    if (ctrl && alt)
        return 0;
    switch (virtualKey) {
    case kVkReturn:
        return 13;
    case kVkEscape:
        return 27;
    case kVkBack:
        return 8;
    case kVkTab:
        return 9;
    case kVkSpace:
        return alt ? U' ' : 0;
    default:
        break;
    }
    if (ctrl && IsLetter(virtualKey))
        return static_cast<char32_t>(virtualKey - 'A' + 1);
    if (alt && IsLetter(virtualKey))
        return static_cast<char32_t>((shift & hsShift) ? virtualKey : virtualKey - 'A' + 'a');
    if (alt && IsDigit(virtualKey))
        return static_cast<char32_t>(virtualKey);
    return 0;
}

bool KeyTextIsSynthesised(unsigned shift)
{
    const bool ctrl = (shift & hsCtrl) != 0, alt = (shift & hsAlt) != 0;
    return ctrl != alt;
}
