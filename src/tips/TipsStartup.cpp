#include "tips/TipsStartup.h"

#include "tips/TipsForm.h"

std::unique_ptr<TForm5> ShowTipsAtStart(ui::Environment& environment) {
    auto tips = std::make_unique<TForm5>(environment);
    tips->Show();
    return tips;
}
