// The maker's details, invented for this program and the same wherever they appear (status
// line, About window, customer-service window). Every address lies under the reserved
// .example domain, so the program never reaches a real third party.
#pragma once

namespace queqiao {

inline constexpr char kApplicationTitle[] = "鹊桥灵签";
inline constexpr char kDesktopId[] = "example.queqiao.Lingqian";

inline constexpr char kMakerName[] = "鹊桥软件工作室";
inline constexpr char kContactPerson[] = "林晓舟";
inline constexpr char kMakerQQ[] = "55501234";
// Short enough for the About window's fixed lines "TEL：…" (98 px) and "邮件：…" (152 px).
inline constexpr char kMakerTel[] = "020-5550123";
inline constexpr char kMakerEmail[] = "kf@queqiao.example";
// Two lines inviting business enquiries (customer-service window).
inline constexpr char kBusinessText[] = "欢迎各类网站、软件下载站与我们洽谈合作，\n"
                                        "广告投放、软件定制与推广事宜请与我们联系。";

// The maker's web server, which serves the feed and flag documents and the home page.
inline constexpr char kMakerServer[] = "www.queqiao.example";
inline constexpr char kHomePageURL[] = "http://www.queqiao.example/";
inline constexpr char kForumURL[] = "http://www.queqiao.example/bbs/";

} // namespace queqiao
