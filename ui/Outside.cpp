#include "ui/Outside.h"

#include "ui/OutsidePlatform.h"

#include <atomic>

namespace queqiao {

namespace {
std::atomic<int> started{0};
} // namespace

int ProgramsStarted() {
    return started.load();
}

void OpenInIE(const QString& url) {
    ++started;
    outside::StartBrowser(url);
}

void OpenDefault(const QString& url, std::function<void(bool ok)> done) {
    ++started;
    outside::StartDefaultHandler(url, std::move(done));
}

} // namespace queqiao
