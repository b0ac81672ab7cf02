#pragma once

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"

#include <map>
#include <string>
#include <vector>

// Pictures as text: one string per row, one character per pixel, so a test states the exact
// pixels it expects and a failure shows the whole picture.
inline TBitmap WhiteBitmap(int width, int height)
{
    TBitmap bitmap(width, height);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(TRect(0, 0, width, height));
    return bitmap;
}

// '.' white, '#' black, 'r' red, 'g' lime, 'b' blue, '?' anything else.
inline std::vector<std::string> Picture(const TBitmap& bitmap, const std::map<TColor, char>& extra = {})
{
    std::map<TColor, char> names = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clLime, 'g'}, {clBlue, 'b'}};
    for (const auto& [color, name] : extra)
        names[color] = name;
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const auto it = names.find(bitmap.Pixel(x, y));
            row += it == names.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// The opposite: a bitmap from rows of '.', '#', 'r', 'g', 'b'.
inline TBitmap BitmapOf(const std::vector<std::string>& rows)
{
    const std::map<char, TColor> colors = {{'.', clWhite}, {'#', clBlack}, {'r', clRed}, {'g', clLime}, {'b', clBlue},
                                           {'m', TColor(0xFF00FF)}};
    TBitmap bitmap(rows.empty() ? 0 : int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, colors.at(rows[size_t(y)][size_t(x)]));
    return bitmap;
}
