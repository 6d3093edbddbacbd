#pragma once
#include "ui/Form.h"

// The shutdown countdown: ten cancellable seconds before Windows is shut down.
class TForm6 : public ui::Form {
public:
    explicit TForm6(platform::Platform& platform);
};
