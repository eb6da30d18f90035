// An open dialog that gives the answer the test set, instead of asking a user.
#pragma once

#include "shell/OpenFileDialog.h"

namespace pelliton::testing {

class ScriptedOpenDialog : public OpenFileDialog {
public:
    std::optional<QString> ChooseFile(QWidget*) override {
        ++shown;
        return answer;
    }

    std::optional<QString> answer;  // nothing: the user cancels
    int shown = 0;
};

}  // namespace pelliton::testing
