// The question dialog as the core sees it: a statement, a question, Yes or No.
#pragma once

#include <string>

namespace fsc {

class IAsk {
public:
    virtual ~IAsk() = default;
    // True for "Yes"; the caller acts only on Yes.
    virtual bool Ask(const std::string& statement, const std::string& question) = 0;
};

}  // namespace fsc
