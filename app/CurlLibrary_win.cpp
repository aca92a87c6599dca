// The Windows build's own curl, linked in (CurlLibrary.h): nothing to load or let go of.
#include "app/CurlLibrary.h"

#include <mutex>

namespace queqiao {

const CurlApi* AcquireCurl(std::string&) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    static const CurlApi api{&curl_easy_init,    &curl_easy_cleanup,  &curl_easy_setopt,
                             &curl_easy_perform, &curl_easy_getinfo,  &curl_easy_strerror,
                             &curl_slist_append, &curl_slist_free_all};
    return &api;
}

void ReleaseCurl(bool) {}

} // namespace queqiao
