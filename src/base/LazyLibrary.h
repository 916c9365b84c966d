// A system library opened the first time a picture needs it rather than when the program
// starts. The HEIF, AVIF, RAW and metafile libraries bring some sixty more with them, and
// mapping those at start-up costs every run (a publish, --help) more than its own work.
#pragma once

#include <string>

namespace fsc {

class LazyLibrary {
public:
    // Throws EFSC_Exception naming the library when it cannot be loaded. The library stays
    // loaded for the life of the process: the functions taken from it are kept in statics.
    explicit LazyLibrary(const char* soname);

    // Throws EFSC_Exception when the library lacks `name`.
    template <typename Function>
    Function Get(const char* name) const {
        return reinterpret_cast<Function>(Symbol(name));
    }

private:
    void* Symbol(const char* name) const;

    std::string soname;
    void* handle;
};

}  // namespace fsc

// A table of the functions a reader takes from one library. With a list macro
// `#define FSC_X_FUNCTIONS(F) F(x_open) F(x_close)`,
// `FSC_LAZY_FUNCTIONS(XFunctions, X, FSC_X_FUNCTIONS, "libx.so.1")` declares the struct
// XFunctions, one member a function with the type of the library's own declaration, and
// `const XFunctions& X()`, which opens the library and takes the functions on its first call.
#define FSC_LAZY_MEMBER(name) decltype(&::name) name;
#define FSC_LAZY_LOAD(name) library.Get<decltype(&::name)>(#name),
#define FSC_LAZY_FUNCTIONS(Table, Accessor, LIST, soname) \
    struct Table {                                        \
        LIST(FSC_LAZY_MEMBER)                             \
    };                                                    \
    const Table& Accessor() {                             \
        static const Table functions = [] {               \
            const ::fsc::LazyLibrary library(soname);     \
            return Table{LIST(FSC_LAZY_LOAD)};            \
        }();                                              \
        return functions;                                 \
    }
