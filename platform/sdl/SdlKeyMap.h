#pragma once

#include <cstdint>

// Keys as the toolkit's controls know them: the Win32 virtual-key numbers.

// The virtual key of an SDL key event, from its keycode (which follows the keyboard layout, as
// virtual keys do) and, for keys the layout makes into letters of another script or into
// symbols, from its scancode (the key's place), so that Ctrl+C and the digit row work on every
// layout. 0 for keys the toolkit has no use for.
int VirtualKeyFromSdl(int32_t keycode, int scancode);

// The character a key press types that SDL's text input does not deliver: Enter, Esc, Tab and
// Backspace as their control characters, Ctrl+letter as 1 to 26, and for Alt+letter, Alt+digit
// and Alt+Space the key's own character, which the toolkit needs for mnemonics and the system
// menu. 0 when the key types nothing of the kind (its text, if any, comes as text input).
// `shift` holds HostShift bits.
char32_t CharacterForKey(int virtualKey, unsigned shift);

// Whether the text input that follows a key press with these modifiers is to be dropped: with
// Ctrl or Alt alone held the character (if any) is CharacterForKey's, while Ctrl+Alt together
// is how AltGr reaches some layouts and its text must pass.
bool KeyTextIsSynthesised(unsigned shift);
