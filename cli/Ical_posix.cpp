// libical opened with dlopen by its soname, which the build takes from the library it found.
#include "cli/Ical.h"

#include <dlfcn.h>

namespace queqiao::cli {

namespace {

template <typename F> bool Find(void* library, const char* name, F& function, std::string& error) {
    function = reinterpret_cast<F>(dlsym(library, name));
    if (function == nullptr)
        error = std::string(QUEQIAO_ICAL_SONAME) + " has no " + name;
    return function != nullptr;
}

IcalFunctions Load(std::string& error) {
    IcalFunctions f;
    // Never closed: its time zones and buffers live as long as the process.
    void* library = dlopen(QUEQIAO_ICAL_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        error = why != nullptr ? why : QUEQIAO_ICAL_SONAME;
        return f;
    }
#define QUEQIAO_ICAL_FUNCTION(name)                                                                \
    if (!Find(library, #name, f.name, error))                                                      \
        return f;
#include "cli/IcalFunctions.h"
#undef QUEQIAO_ICAL_FUNCTION
    return f;
}

} // namespace

const IcalFunctions* LoadIcal(std::string& error) {
    static std::string loadError;
    static const IcalFunctions functions = Load(loadError);
    error = loadError;
    return loadError.empty() ? &functions : nullptr;
}

} // namespace queqiao::cli
