// A system library opened with dlopen on first use.
#include "base/LazyLibrary.h"

#include <dlfcn.h>

#include "base/Errors.h"

namespace fsc {

namespace {

std::string LastError() {
    const char* error = ::dlerror();
    return error == nullptr ? std::string("unknown error") : std::string(error);
}

}  // namespace

LazyLibrary::LazyLibrary(const char* soname) : soname(soname) {
    // RTLD_LOCAL: the library's symbols serve the calls taken from it, nobody else's.
    handle = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw EFSC_Exception("Cannot load the library " + this->soname + ": " + LastError());
}

void* LazyLibrary::Symbol(const char* name) const {
    ::dlerror();
    // The search takes in the libraries this one depends on, so a library that exposes
    // another's functions (librsvg brings cairo) is named once.
    void* symbol = ::dlsym(handle, name);
    if (symbol == nullptr)
        throw EFSC_Exception("The library " + soname + " lacks " + name + ": " + LastError());
    return symbol;
}

}  // namespace fsc
