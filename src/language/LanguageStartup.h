#pragma once

class TForm1;
class TForm2;

// The start-up language load: when the language file exists, reads its languages and applies
// the stored one; otherwise offers to look for the file.
void LoadLanguageAtStart(TForm2& preferences, TForm1& mainForm);
