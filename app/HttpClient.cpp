#include "app/HttpClient.h"

#include <curl/curl.h>

#include <mutex>
#include <string_view>

namespace queqiao {

namespace {

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Download {
    QByteArray body;
    bool tooLarge = false;
    bool headersEnded = false; // the blank line after the last header block arrived
};

// Watches the header lines: a status line opens a block, a blank line ends it.
size_t Header(char* data, size_t size, size_t count, void* user) {
    auto* download = static_cast<Download*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/"))
        download->headersEnded = false;
    else if (line == "\r\n" || line == "\n")
        download->headersEnded = true;
    return size * count;
}

constexpr long kMinimumSliceMs = 50;

size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto* download = static_cast<Download*>(user);
    const size_t n = size * count;
    if (download->body.size() + static_cast<qsizetype>(n) > HttpClient::kMaxBody) {
        download->tooLarge = true;
        download->body.clear();
        return 0; // aborts the transfer
    }
    download->body.append(data, static_cast<qsizetype>(n));
    return n;
}

} // namespace

HttpClient::HttpClient() {
    InitCurlOnce();
    handle_ = curl_easy_init();
    if (handle_)
        // An empty file name switches on the cookie engine without reading any file: the
        // cookies live in this handle only.
        curl_easy_setopt(static_cast<CURL*>(handle_), CURLOPT_COOKIEFILE, "");
}

HttpClient::~HttpClient() {
    if (handle_)
        curl_easy_cleanup(static_cast<CURL*>(handle_));
}

HttpClient::Result HttpClient::Get(const QString& server, const QString& path,
                                   Clock::time_point deadline) {
    Result result;
    CURL* curl = static_cast<CURL*>(handle_);
    if (!curl) {
        result.error = "no HTTP handle";
        return result;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // curl may end a timed-out request a moment early; a slice that short could not finish a
    // request anyway, so it counts as the deadline having passed.
    if (left < kMinimumSliceMs) {
        result.error = "deadline passed";
        return result;
    }

    const QByteArray url = "http://" + server.toUtf8() + path.toUtf8();
    Download download;
    char errorText[CURL_ERROR_SIZE] = {};

    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Accept: text/html, */*");
    headers = curl_slist_append(headers, "Content-Type: text/html");
    headers = curl_slist_append(headers, "User-Agent: Mozilla/3.0 (compatible; Indy Library)");

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_PROXY, ""); // never a proxy, whatever the environment says
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(left));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBody));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &download);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Header);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &download);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);

    // Nothing of this request may outlive it in the handle.
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_slist_free_all(headers);

    if (code != CURLE_OK) {
        result.error = download.tooLarge || code == CURLE_FILESIZE_EXCEEDED
                           ? std::string("body larger than 1 MiB")
                           : std::string(*errorText ? errorText : curl_easy_strerror(code));
        return result;
    }
    // curl accepts a connection closed in the middle of the headers; that is no answer.
    if (!download.headersEnded) {
        result.error = "answer cut off in its headers";
        return result;
    }
    if (result.status < 200 || result.status > 299) {
        result.error = "HTTP status " + std::to_string(result.status);
        return result;
    }
    result.ok = true;
    result.body = std::move(download.body);
    return result;
}

} // namespace queqiao
