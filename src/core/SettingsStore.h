#pragma once

class TForm1;
class TForm2;

// Moves the options between the registry key of the program and the preferences dialog.

// Once at start-up, after the windows exist: fills the settings, sets the main window's
// opacity, loads the language and consumes the wake call. May ask questions; a No leaves a
// quit request behind.
void LoadSettingsAtStart(TForm2& preferences, TForm1& mainForm);

// Each time the preferences dialog opens: refills the settings from the registry, asking nothing.
void LoadSettingsIntoDialog(TForm2& preferences);

// At OK: writes the settings and the two Run-key entries.
void SaveSettings(TForm2& preferences, TForm1& mainForm);
