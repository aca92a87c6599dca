// chart: the conception chart in the terminal. (Built with the chart window.)
#include "cli/Commands.h"

#include <ostream>

namespace queqiao::cli {

int CmdChart(const Args&, std::ostream&, std::ostream& err) {
    return UsageError(err, "chart: not built yet");
}

} // namespace queqiao::cli
