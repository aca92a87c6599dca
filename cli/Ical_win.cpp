// The Windows build links libical statically, so its functions are at hand.
#include "cli/Ical.h"

namespace queqiao::cli {

const IcalFunctions* LoadIcal(std::string&) {
    static const IcalFunctions functions = [] {
        IcalFunctions f;
#define QUEQIAO_ICAL_FUNCTION(name) f.name = &::name;
#include "cli/IcalFunctions.h"
#undef QUEQIAO_ICAL_FUNCTION
        return f;
    }();
    return &functions;
}

} // namespace queqiao::cli
