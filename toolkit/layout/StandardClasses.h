#pragma once

// Registers the toolkit's own creatable classes (TForm, TLabel, TPanel, TButton, TPageControl,
// TTabSheet, TMemo, TTimer) for layouts; safe to call any number of times.
void RegisterStandardClasses();
