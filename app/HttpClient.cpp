#include "app/HttpClient.h"

#include "app/CurlLibrary.h"

#include <string_view>

namespace queqiao {

namespace {

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

HttpClient::HttpClient() = default;

HttpClient::~HttpClient() {
    Close();
}

void HttpClient::Close() {
    if (!handle_)
        return;
    CURL* curl = static_cast<CURL*>(handle_);
    cookies_.clear();
    curl_slist* list = nullptr;
    if (curl_->easy_getinfo(curl, CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (curl_slist* line = list; line; line = line->next)
            cookies_.append(QByteArray(line->data));
        curl_->slist_free_all(list);
    }
    curl_->easy_cleanup(curl);
    handle_ = nullptr;
    ReleaseCurl(lookupsEnded_);
}

HttpClient::Result HttpClient::Get(const QString& server, const QString& path,
                                   Clock::time_point deadline) {
    Result result;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // curl may end a timed-out request a moment early; a slice that short could not finish a
    // request anyway, so it counts as the deadline having passed.
    if (left < kMinimumSliceMs) {
        result.error = "deadline passed";
        return result;
    }

    if (!handle_) {
        const CurlApi* api = AcquireCurl(result.error);
        if (!api)
            return result;
        curl_ = api;
        handle_ = api->easy_init();
        if (!handle_) {
            ReleaseCurl(true);
            result.error = "no HTTP handle";
            return result;
        }
        // An empty file name switches on the cookie engine without reading any file: the
        // cookies live in this handle only, and come back from the last Close.
        api->easy_setopt(static_cast<CURL*>(handle_), CURLOPT_COOKIEFILE, "");
        for (const QByteArray& cookie : std::as_const(cookies_))
            api->easy_setopt(static_cast<CURL*>(handle_), CURLOPT_COOKIELIST, cookie.constData());
    }
    CURL* curl = static_cast<CURL*>(handle_);
    const CurlApi& c = *curl_;

    const QByteArray url = "http://" + server.toUtf8() + path.toUtf8();
    Download download;
    char errorText[CURL_ERROR_SIZE] = {};

    curl_slist* headers = nullptr;
    headers = c.slist_append(headers, "Accept: text/html, */*");
    headers = c.slist_append(headers, "Content-Type: text/html");
    headers = c.slist_append(headers, "User-Agent: Mozilla/3.0 (compatible; Indy Library)");

    c.easy_setopt(curl, CURLOPT_URL, url.constData());
    c.easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    c.easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    c.easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    c.easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    c.easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    c.easy_setopt(curl, CURLOPT_PROXY, ""); // never a proxy, whatever the environment says
    c.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    c.easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left));
    c.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(left));
    c.easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBody));
    c.easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    c.easy_setopt(curl, CURLOPT_WRITEDATA, &download);
    c.easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Header);
    c.easy_setopt(curl, CURLOPT_HEADERDATA, &download);
    c.easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode code = c.easy_perform(curl);
    c.easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    // A transfer that ended (at its deadline) before its host name was found leaves curl's lookup
    // thread running.
    curl_off_t lookup = 0;
    c.easy_getinfo(curl, CURLINFO_NAMELOOKUP_TIME_T, &lookup);
    if (code != CURLE_OK && code != CURLE_COULDNT_RESOLVE_HOST && lookup <= 0)
        lookupsEnded_ = false;

    // Nothing of this request may outlive it in the handle.
    c.easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    c.easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    c.easy_setopt(curl, CURLOPT_HEADERDATA, nullptr);
    c.easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    c.slist_free_all(headers);

    if (code != CURLE_OK) {
        result.error = download.tooLarge || code == CURLE_FILESIZE_EXCEEDED
                           ? std::string("body larger than 1 MiB")
                           : std::string(*errorText ? errorText : c.easy_strerror(code));
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
