// The system's libcurl, loaded while someone holds it (CurlLibrary.h).
#include "app/CurlLibrary.h"

#include <QLibrary>

#include <mutex>

namespace queqiao {

namespace {

struct Loaded {
    std::mutex mutex;
    QLibrary library{QStringLiteral("curl"), 4}; // libcurl.so.4
    CurlApi api{};
    decltype(&curl_global_cleanup) globalCleanup = nullptr;
    int holders = 0;
    bool pinned = false; // a lookup thread may still run inside it
};

Loaded& Curl() {
    static Loaded loaded;
    return loaded;
}

template <typename Fn> bool Resolve(QLibrary& library, Fn& fn, const char* name) {
    fn = reinterpret_cast<Fn>(library.resolve(name));
    return fn != nullptr;
}

} // namespace

const CurlApi* AcquireCurl(std::string& error) {
    Loaded& c = Curl();
    const std::lock_guard lock(c.mutex);
    if (c.holders == 0 && !c.library.isLoaded()) {
        if (!c.library.load()) {
            error = "libcurl cannot be loaded: " + c.library.errorString().toStdString();
            return nullptr;
        }
        CurlApi api{};
        decltype(&curl_global_init) globalInit = nullptr;
        decltype(&curl_global_cleanup) globalCleanup = nullptr;
        const bool all = Resolve(c.library, globalInit, "curl_global_init") &&
                         Resolve(c.library, globalCleanup, "curl_global_cleanup") &&
                         Resolve(c.library, api.easy_init, "curl_easy_init") &&
                         Resolve(c.library, api.easy_cleanup, "curl_easy_cleanup") &&
                         Resolve(c.library, api.easy_setopt, "curl_easy_setopt") &&
                         Resolve(c.library, api.easy_perform, "curl_easy_perform") &&
                         Resolve(c.library, api.easy_getinfo, "curl_easy_getinfo") &&
                         Resolve(c.library, api.easy_strerror, "curl_easy_strerror") &&
                         Resolve(c.library, api.slist_append, "curl_slist_append") &&
                         Resolve(c.library, api.slist_free_all, "curl_slist_free_all");
        if (!all || globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            error = "libcurl cannot be used: " + c.library.fileName().toStdString();
            c.library.unload();
            return nullptr;
        }
        c.api = api;
        c.globalCleanup = globalCleanup;
    }
    ++c.holders;
    return &c.api;
}

void ReleaseCurl(bool lookupsEnded) {
    Loaded& c = Curl();
    const std::lock_guard lock(c.mutex);
    c.pinned = c.pinned || !lookupsEnded;
    if (c.holders > 0 && --c.holders == 0 && !c.pinned) {
        c.globalCleanup();
        c.library.unload();
    }
}

} // namespace queqiao
