// An IMessages that keeps every box it was asked to show, for the reader tests.
#pragma once

#include <string>
#include <vector>

#include "base/IMessages.h"

namespace fsc::test {

class RecordingMessages : public IMessages {
public:
    std::vector<std::string> Boxes;  // "ERROR: text", "Information: text" or "Message: text"
    void ShowError(const std::string& text) override { Boxes.push_back("ERROR: " + text); }
    void ShowInformation(const std::string& text) override {
        Boxes.push_back("Information: " + text);
    }
    void ShowMessage(const std::string& text) override { Boxes.push_back("Message: " + text); }
};

}  // namespace fsc::test
