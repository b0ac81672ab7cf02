#pragma once

// Where the window probe puts its form and what it paints there, shared by the probe (a Windows
// program) and by the check of its screenshot (a Linux program), so that both agree.
namespace window_probe {

// The form's window rectangle on the 1024 x 768 screen, frame included; a dialog frame is 3
// pixels wide and its caption 19 pixels high, so the client area starts at (3, 22).
constexpr int kLeft = 120;
constexpr int kTop = 90;
constexpr int kWidth = 360;
constexpr int kHeight = 220;
constexpr int kClientLeft = 3;
constexpr int kClientTop = 22;

// The window region leaves out this square at the bottom-right corner of the window.
constexpr int kCut = 40;

// The form's colour, as red, green and blue.
constexpr unsigned kRed = 0x33, kGreen = 0x66, kBlue = 0x99;

// The label (client coordinates): a Latin line above a Chinese line, 13 pixels each.
constexpr int kLabelLeft = 12;
constexpr int kLabelTop = 12;
constexpr int kLabelWidth = 320;
constexpr int kLabelHeight = 30;
constexpr int kLineHeight = 13;

// The button (client coordinates).
constexpr int kButtonLeft = 12;
constexpr int kButtonTop = 80;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 25;

} // namespace window_probe
