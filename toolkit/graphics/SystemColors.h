#pragma once

#include "toolkit/graphics/Color.h"

// System colours resolve through one fixed table, the classic Windows 2000 scheme ("Windows
// Standard"): clBtnFace is RGB(212, 208, 200), clHighlight RGB(10, 36, 106), clWindow white.
// It is fixed on purpose: the user's desktop theme must not change our pictures.

// The RGB value (high byte 0) of any colour: a system colour is looked up (an index outside the
// table gives black); anything else loses its high byte, so an ordinary colour comes back as it
// is, clNone ($1FFFFFFF) as white and clDefault ($20000000) as black.
TColor ColorToRGB(TColor color);
// The table's entry for a system colour index (0 = clScrollBar ... 30 = clMenuBar); black for an
// index outside the table.
TColor SystemColorRGB(int index);
// True for the $80000000 + index system colour codes.
constexpr bool IsSystemColor(TColor color) { return (static_cast<uint32_t>(color) & 0xFF000000u) == 0x80000000u; }
