#pragma once
#include <algorithm>
#include <vector>

namespace ui {

class Form;

// The forms that exist, in creation order; the renderer and the test scheduler walk it.
class FormRegistry {
public:
    static FormRegistry& Instance() {
        static FormRegistry registry;
        return registry;
    }
    void Add(Form* form) { forms_.push_back(form); }
    void Remove(Form* form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end()); }
    const std::vector<Form*>& Forms() const { return forms_; }

private:
    std::vector<Form*> forms_;
};

}  // namespace ui
