#include "toolkit/forms/Form.h"

#include "toolkit/components/ClassInfo.h"

namespace {

const std::vector<std::string> kBorderStyles = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const std::vector<std::string> kWindowStates = {"wsNormal", "wsMinimized", "wsMaximized"};
const std::vector<std::string> kPositions = {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                             "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
const std::vector<std::string> kBorderIcons = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
const std::vector<std::string> kFormStyles = {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};

template <class F> auto Field(int F::*member)
{
    return std::make_pair([member](const F& self) { return self.*member; }, [member](F& self, int v) { self.*member = v; });
}

}  // namespace

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo info(
        "TForm", &TCustomForm::StaticClassInfo(), [](TComponent* owner) { return new TForm(owner); }, [](TClassInfo& c) {
            auto [getMinW, setMinW] = Field<TCustomForm>(&TCustomForm::MinWidth);
            auto [getMinH, setMinH] = Field<TCustomForm>(&TCustomForm::MinHeight);
            auto [getMaxW, setMaxW] = Field<TCustomForm>(&TCustomForm::MaxWidth);
            auto [getMaxH, setMaxH] = Field<TCustomForm>(&TCustomForm::MaxHeight);
            auto ignoredInt = [](TCustomForm&, int) {};
            TPublisher<TCustomForm>(c)
                .Enum<TBorderStyle>("BorderStyle", kBorderStyles, &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
                .Enum<TWindowState>("WindowState", kWindowStates, &TCustomForm::WindowState, &TCustomForm::SetWindowState)
                .Enum<TPosition>("Position", kPositions, &TCustomForm::Position, &TCustomForm::SetPosition)
                .Set("BorderIcons", kBorderIcons, [](const TCustomForm&) { return 7u; }, [](TCustomForm&, unsigned) {})
                .Enum<int>("FormStyle", kFormStyles, [](const TCustomForm&) { return 0; }, [](TCustomForm&, int) {})
                .Boolean("KeyPreview", [](const TCustomForm& f) { return f.KeyPreviewValue; },
                         [](TCustomForm& f, bool v) { f.KeyPreviewValue = v; })
                .Boolean("Scaled", [](const TCustomForm& f) { return f.Scaled; }, [](TCustomForm& f, bool v) { f.Scaled = v; })
                .Boolean("AutoScroll", [](const TCustomForm& f) { return f.AutoScroll; },
                         [](TCustomForm& f, bool v) { f.AutoScroll = v; })
                .Boolean("OldCreateOrder", [](const TCustomForm&) { return false; }, [](TCustomForm&, bool) {})
                .Integer("PixelsPerInch", [](const TCustomForm&) { return 96; }, ignoredInt)
                .Integer("TextHeight", [](const TCustomForm&) { return 13; }, ignoredInt)
                .Integer("Constraints.MinWidth", getMinW, setMinW)
                .Integer("Constraints.MinHeight", getMinH, setMinH)
                .Integer("Constraints.MaxWidth", getMaxW, setMaxW)
                .Integer("Constraints.MaxHeight", getMaxH, setMaxH)
                .Picture("Icon", [](const TCustomForm& f) -> TPictureValue {
                    const TBitmap* b = const_cast<TCustomForm&>(f).Icon().Graphic();
                    return b ? std::make_shared<TBitmap>(*b) : nullptr;
                },
                         [](TCustomForm& f, const TPictureValue& v) {
                             if (v)
                                 f.Icon().Assign(*v);
                             else
                                 f.Icon().Clear();
                         })
                .Event<TNotifyEvent>("OnCreate", [](TCustomForm& f, const TNotifyEvent& e) { f.OnCreate = e; })
                .Event<TNotifyEvent>("OnShow", [](TCustomForm& f, const TNotifyEvent& e) { f.OnShow = e; })
                .Event<TNotifyEvent>("OnHide", [](TCustomForm& f, const TNotifyEvent& e) { f.OnHide = e; })
                .Event<TNotifyEvent>("OnDestroy", [](TCustomForm& f, const TNotifyEvent& e) { f.OnDestroy = e; })
                .Event<TNotifyEvent>("OnActivate", [](TCustomForm& f, const TNotifyEvent& e) { f.OnActivate = e; })
                .Event<TNotifyEvent>("OnDeactivate", [](TCustomForm& f, const TNotifyEvent& e) { f.OnDeactivate = e; })
                .Event<TNotifyEvent>("OnPaint", [](TCustomForm& f, const TNotifyEvent& e) { f.OnPaint = e; })
                .Event<TCloseEvent>("OnClose", [](TCustomForm& f, const TCloseEvent& e) { f.OnClose = e; })
                .Event<TCloseQueryEvent>("OnCloseQuery", [](TCustomForm& f, const TCloseQueryEvent& e) { f.OnCloseQuery = e; });
        });
    return info;
}
