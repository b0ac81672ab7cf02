#pragma once

#include "toolkit/components/Component.h"

#include <cstdint>
#include <functional>

class TControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

// Anchors are bits: akLeft | akTop is the default.
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during an input event.
enum TShiftStateFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = unsigned;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

// ControlStyle bits: what a control class does by itself.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1,   // layouts may nest controls in it
    csCaptureMouse = 2,      // a left press captures the mouse until the release
    csClickEvents = 4,       // a press and release inside is a click
    csDoubleClicks = 8,      // a second quick press is a double click, not another click
    csOpaque = 16,           // paints every pixel of its client area itself
    csSetCaption = 32,       // the name given at design becomes the caption
};
using TControlStyle = unsigned;

// The message method type of WindowProc.
struct TMessage;
using TWndMethod = std::function<void(TMessage& Message)>;
