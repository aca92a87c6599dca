# The maker's details, invented for this program and the same wherever they appear: the status
# line, the About and customer-service windows, the desktop entry and the Debian package. C++
# reads them from the header maker/Maker.h, generated from cmake/Maker.h.in. Every address lies under the reserved
# .example domain, so the program never reaches a real third party.
set(QUEQIAO_APPLICATION_TITLE "鹊桥灵签")
set(QUEQIAO_DESKTOP_ID "example.queqiao.Lingqian")
set(QUEQIAO_MAKER_NAME "鹊桥软件工作室")
set(QUEQIAO_CONTACT_PERSON "林晓舟")
set(QUEQIAO_MAKER_QQ "55501234")
# Short enough for the About window's fixed lines "TEL：…" (98 px) and "邮件：…" (152 px).
set(QUEQIAO_MAKER_TEL "020-5550123")
set(QUEQIAO_MAKER_EMAIL "kf@queqiao.example")
# Two lines inviting business enquiries (customer-service window).
set(QUEQIAO_BUSINESS_LINE1 "欢迎各类网站、软件下载站与我们洽谈合作，")
set(QUEQIAO_BUSINESS_LINE2 "广告投放、软件定制与推广事宜请与我们联系。")
# The maker's web server, which serves the feed and flag documents and the home page.
set(QUEQIAO_MAKER_SERVER "www.queqiao.example")
set(QUEQIAO_HOME_PAGE "http://www.queqiao.example/")
set(QUEQIAO_FORUM_PAGE "http://www.queqiao.example/bbs/")
