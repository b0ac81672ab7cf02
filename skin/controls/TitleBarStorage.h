#pragma once

#include "toolkit/components/PropertyValue.h"

class TsuiTitleBarButtons;
class TsuiTitleBarSections;

// The title bar's collections as a layout stores them: one item per button or section, holding
// its properties by name (pictures as images).
//
// Reading replaces the whole collection, the way a stored layout replaces what the style built.
// The items are built aside first, so an unknown property or a value of the wrong kind raises
// the toolkit's property error and leaves the collection as it was.
TPropertyValue::Items SaveTitleBarButtons(const TsuiTitleBarButtons& buttons);
void LoadTitleBarButtons(TsuiTitleBarButtons& buttons, const TPropertyValue::Items& items);
TPropertyValue::Items SaveTitleBarSections(const TsuiTitleBarSections& sections);
void LoadTitleBarSections(TsuiTitleBarSections& sections, const TPropertyValue::Items& items);
