// Message boxes as the core sees them.
#pragma once

#include <string>

namespace fsc {

class IMessages {
public:
    virtual ~IMessages() = default;
    // Something failed.
    virtual void ShowError(const std::string& text) = 0;
    // Nothing failed, but the user should think twice. Where there is no other way to say
    // it, it is said as an error.
    virtual void ShowWarning(const std::string& text) { ShowError(text); }
    // A box captioned "Information".
    virtual void ShowInformation(const std::string& text) = 0;
    // A plain message box with the program's title.
    virtual void ShowMessage(const std::string& text) = 0;
    // A box captioned `caption` with the buttons "OK" and "Cancel"; true unless "Cancel" was
    // pressed. Without such boxes it is an error message like any other, taken as "OK".
    virtual bool ShowOkCancelError(const std::string& caption, const std::string& text) {
        (void)caption;
        ShowError(text);
        return true;
    }
};

}  // namespace fsc
