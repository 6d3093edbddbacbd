#include "startup/PermanentWindows.h"

PermanentWindows::PermanentWindows(ui::Environment& environment)
    : Form1(environment), Form2(environment), Form3(environment), Form6(environment) {
    Form1.Connect(Form2.settings, Form2, Form6);
    Form2.Connect(Form1, Form3);
    Form1.FormCreate();
}
