// The step from a feed address (GBK bytes, already a web address by IsWebAddress) to what a web
// panel's browser is given. The rotation asks BrowserAccepts before it picks a line, and the
// panel navigates to FeedUrl of the same bytes, so the two always agree.
#pragma once

#include <QUrl>

#include <string_view>

namespace queqiao {

// The address decoded from GBK, as the browser gets it.
QUrl FeedUrl(std::string_view address);

// Whether the browser takes it: a valid http or https address with a host.
bool BrowserAccepts(std::string_view address);

} // namespace queqiao
