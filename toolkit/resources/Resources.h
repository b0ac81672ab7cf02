#pragma once

#include "toolkit/graphics/Bitmap.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Named resources built into the program, such as the bitmaps of the built-in styles: the files
// of resources/styles/, which the build embeds, each named after its file ("DEEPBLUE_BUTTON").
// Names match without regard to the case of ASCII letters, as the platform's resource names do.

// The resource's bytes, or nullopt when the program has none of that name.
std::optional<std::string_view> FindResourceBytes(std::string_view name);

// Every resource name, in upper case and sorted.
std::vector<std::string> ResourceNames();

// Reads a bitmap resource (the bytes of a .bmp file) into dest. A name the program does not
// have raises EResNotFound ("资源 %s 未找到"); bytes that make no bitmap raise EInvalidGraphic.
// Either way dest stays as it was.
void LoadBitmapResource(std::string_view name, TBitmap& dest);
// The same bitmap, decoded once for the whole program and kept: for a reader that only copies
// from it. Raises as LoadBitmapResource does.
const TBitmap& DecodedBitmapResource(std::string_view name);
