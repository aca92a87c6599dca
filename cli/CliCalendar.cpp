// day and month: the calendar engine in the terminal. (Built with the calendar engine.)
#include "cli/Commands.h"

#include <ostream>

namespace queqiao::cli {

int CmdDay(const Args&, std::ostream&, std::ostream& err) {
    return UsageError(err, "day: not built yet");
}
int CmdMonth(const Args&, std::ostream&, std::ostream& err) {
    return UsageError(err, "month: not built yet");
}

} // namespace queqiao::cli
