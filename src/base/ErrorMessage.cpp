// What a user is told of a failure.
#include "base/ErrorMessage.h"

#include "base/Errors.h"

namespace fsc {

std::string ErrorMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EFscError& e) {
        return e.what();
    } catch (...) {
        return UnknownErrorText;
    }
}

}  // namespace fsc
