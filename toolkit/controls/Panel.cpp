#include "toolkit/controls/Panel.h"

#include "toolkit/components/ClassInfo.h"

namespace {
const std::vector<std::string> kBevelNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque | csSetCaption);
    SetBounds(0, 0, 185, 41);
}

const TClassInfo& TCustomPanel::StaticClassInfo()
{
    static const TClassInfo info("TCustomPanel", &TCustomControl::StaticClassInfo(), nullptr, [](TClassInfo& c) {
        TPublisher<TCustomPanel>(c)
            .Enum<TBevelCut>("BevelOuter", kBevelNames, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
            .Enum<TBevelCut>("BevelInner", kBevelNames, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
            .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
            .Enum<TAlignment>("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomPanel::Alignment,
                              &TCustomPanel::SetAlignment)
            .Boolean("FullRepaint", [](const TCustomPanel&) { return true; }, [](TCustomPanel&, bool) {});
    });
    return info;
}

const TClassInfo& TPanel::StaticClassInfo()
{
    static const TClassInfo info("TPanel", &TCustomPanel::StaticClassInfo(),
                                 [](TComponent* owner) { return new TPanel(owner); });
    return info;
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    bevelOuter_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    bevelInner_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(value, 1);
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

int TCustomPanel::BevelSize() const
{
    return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TCustomPanel::AlignControls(TRect& rect)
{
    int bevel = BevelSize();
    rect = rect.Inflate(-bevel, -bevel);
    TCustomControl::AlignControls(rect);
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    for (int i = 0; i < width; ++i) {
        canvas.Brush().SetColor(topColor);
        canvas.FillRect(TRect(rect.Left, rect.Top, rect.Right - 1, rect.Top + 1));
        canvas.FillRect(TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1));
        canvas.Brush().SetColor(bottomColor);
        canvas.FillRect(TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
        canvas.FillRect(TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
        rect = rect.Inflate(-1, -1);
    }
}

void TCustomPanel::PaintBevelsAndCaption(TCanvas& canvas)
{
    TRect rect(0, 0, Width(), Height());
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        if (cut == bvSpace) {
            rect = rect.Inflate(-bevelWidth_, -bevelWidth_);
            return;
        }
        bool raised = cut == bvRaised;
        Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    bevel(bevelInner_);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
    if (Caption().empty())
        return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetFont(Font());
    unsigned flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    canvas.DrawText(Caption(), rect, flags);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TCustomPanel::Paint() { PaintBevelsAndCaption(Canvas()); }
