#include "toolkit/graphics/GraphicsObjects.h"

void TBrush::SetColor(TColor color)
{
    color_ = color;
    if (style_ == TBrushStyle::bsClear)
        style_ = TBrushStyle::bsSolid;
}

void TBrush::SetBitmap(const TBitmap* pattern)
{
    if (pattern == nullptr || pattern->Empty())
        bitmap_.reset();
    else
        bitmap_ = std::make_shared<const TBitmap>(*pattern);
}
