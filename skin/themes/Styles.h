#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TComponent;
class TWinControl;
class TsuiFileTheme;

// The look a skinned control asks for: its file theme, or one of the five built-in styles.
enum TsuiUIStyle : uint8_t {
    FromThemeFile = 0,  // the control's file theme while it is ready, else DeepBlue
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,       // the fallback of every rule
    Protein = 4,
    BlueGlass = 5,
};

// The style names as layouts write them, in ordinal order; for publishing a UIStyle property.
const std::vector<std::string>& UIStyleNames();

// Whether a control draws from its file theme: only for FromThemeFile with a ready theme. An
// explicit built-in style wins over a ready theme; FromThemeFile without a ready theme draws
// DeepBlue. effectiveStyle receives the style to draw with.
bool UsesFileTheme(const TsuiFileTheme* fileTheme, TsuiUIStyle uiStyle, TsuiUIStyle& effectiveStyle);

// The style a new skinned control starts with: that of the first skinned form (class TsuiForm)
// among the direct child controls of its owner form; DeepBlue for an owner that is no form or
// has none.
TsuiUIStyle GetDefaultUIStyle(const TComponent* owner);

// Gives every direct child control of `form` that publishes both FileTheme and UIStyle the file
// theme, then the style, through those properties. Others are skipped.
void ApplyStyleToChildren(TWinControl* form, TsuiUIStyle uiStyle, TsuiFileTheme* fileTheme);

// The component's class or one of its bases carries that name (any case).
bool IsOfClass(const TComponent& component, const char* className);
