// Message boxes for the core's messages.
#pragma once

#include "base/IMessages.h"

class QWidget;

namespace fsc {

class QtMessages final : public IMessages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent(parent) {}

    void ShowError(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    bool ShowOkCancelError(const std::string& caption, const std::string& text) override;

private:
    QWidget* parent;
};

}  // namespace fsc
