#pragma once
#include "dates/WakeDates.h"
#include "ui/Form.h"

enum class TDateDialogMode { NewEntry, Edit };

// The date entry dialog: adds a wake date to the list or changes the selected one. Created
// once and reused; the preferences dialog places it and opens it modally.
class TForm3 : public ui::Form {
public:
    explicit TForm3(ui::Environment& environment);

    // The list it adds to and edits; set once before anything runs.
    void Connect(TWakeDateList& list) { list_ = &list; }
    // Shows the dialog modally in the given mode; returns when it is closed.
    void ShowDateDialog(TDateDialogMode mode);

private:
    TWakeDateList* list_ = nullptr;
    TDateDialogMode mode_ = TDateDialogMode::NewEntry;
};
