#pragma once
#include <string>

#include "ui/Controls.h"

// Puts a control into its frame (tab sheet, group box or panel) at a position inside it.
inline void Place(ui::Control& control, ui::Control& parent, int left, int top, int width, int height,
                  std::string caption = {}) {
    control.parent = &parent;
    control.SetBounds(left, top, width, height);
    if (!caption.empty()) control.caption = std::move(caption);
}
