#pragma once

#include "toolkit/controls/Control.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A text on its parent's surface: one line or wrapped at words, aligned left, right or centred,
// on the label's colour or, when Transparent, on whatever the parent painted. "&x" underlines x
// unless ShowAccelChar is off. With AutoSize the label takes the size of its text (keeping its
// width when it wraps).
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TComponent* FocusControl() const { return focusControl_; }
    void SetFocusControl(TComponent* value) { focusControl_ = value; }

    void Loaded() override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void TextChanged() override;
    void FontChanged() override;

private:
    unsigned Flags() const;
    void AdjustBounds();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
    TComponent* focusControl_ = nullptr;
};
