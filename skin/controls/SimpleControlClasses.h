#pragma once

// Makes the skinned push buttons, image buttons, check boxes, radio buttons, progress bars and
// image panels known to layouts. Safe to call any number of times.
void RegisterSimpleControlClasses();
