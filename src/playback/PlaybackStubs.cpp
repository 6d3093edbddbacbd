#include "skin/MainForm.h"

// Placeholders until playback lands.
void TForm1::Timer1Timer() { Timer1.SetEnabled(false); }
void TForm1::Timer2Timer() { Timer2.SetEnabled(false); }
void TForm1::ProgrammstartTimer() { Programmstart.SetEnabled(false); }
