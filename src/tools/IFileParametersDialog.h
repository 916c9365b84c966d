// The "Edit File Parameters" dialog as the file manager sees it.
#pragma once

#include <string>

namespace fsc {

class IFileParametersDialog {
public:
    virtual ~IFileParametersDialog() = default;
    // Shows "Save in directory" and "Save as (Filename)" filled with the two values; on "OK"
    // they hold what the user typed and the result is true, on "Cancel" they stay unchanged.
    virtual bool Execute(std::string& directory, std::string& fileName) = 0;
};

}  // namespace fsc
