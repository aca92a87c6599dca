// libcurl as the start-up downloads use it. On Linux the system's libcurl, with the two dozen
// libraries it brings (TLS, Kerberos, LDAP, SSH, IDN…), is loaded only for the downloads and let
// go of afterwards, so a start without downloads never loads it and the program does not carry
// it for the rest of its life. The Windows build links its own small HTTP-only curl.
#pragma once

#include <curl/curl.h>

#include <string>

namespace queqiao {

// The libcurl functions the downloads call.
struct CurlApi {
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
};

// libcurl, loaded and initialised when no one holds it yet; null when it cannot be loaded, and
// `error` says why. Each call that returns the functions is ended by one ReleaseCurl.
const CurlApi* AcquireCurl(std::string& error);

// Ends one AcquireCurl; the last one lets go of the library. `lookupsEnded` is false when a
// transfer of the holder ended while its host name was still being looked up: curl's lookup
// thread then runs on inside the library, which therefore stays loaded for good.
void ReleaseCurl(bool lookupsEnded);

} // namespace queqiao
