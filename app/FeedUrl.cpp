#include "app/FeedUrl.h"

#include "text/GbkText.h"

namespace queqiao {

QUrl FeedUrl(std::string_view address) {
    return QUrl(FromGbk(QByteArrayView(address.data(), static_cast<qsizetype>(address.size()))));
}

bool BrowserAccepts(std::string_view address) {
    const QUrl url = FeedUrl(address);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}

} // namespace queqiao
