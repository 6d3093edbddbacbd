#pragma once
#include <memory>

#include "ui/Gui.h"

class TForm5;

// Creates the tips window of an ordinary start and shows it at once. The caller keeps it
// until the program ends.
std::unique_ptr<TForm5> ShowTipsAtStart(ui::Environment& environment);
