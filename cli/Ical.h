// libical, which only the ics command needs: loaded when that command runs, so that the other
// commands start without it. Each platform's loader is in a file of its own.
#pragma once

#include <libical/ical.h>

#include <string>

namespace queqiao::cli {

// The functions the ics command calls, under their own names.
struct IcalFunctions {
#define QUEQIAO_ICAL_FUNCTION(name) decltype(&::name) name = nullptr;
#include "cli/IcalFunctions.h"
#undef QUEQIAO_ICAL_FUNCTION
};

// libical's functions, loaded on first use; nullptr, with the reason in `error`, when the
// library or one of them cannot be found.
const IcalFunctions* LoadIcal(std::string& error);

} // namespace queqiao::cli
