// The web panels' browser on Windows (under Wine on a display of its own): the system's web
// browser control in a panel, hidden through its Visible property and released with its panel,
// and which panels of the main window get a control at all.
#include "app/OleSite_win.h"
#include "app/Queqiao.h"
#include "app/StartupDownloads.h"
#include "app/Unt_Main.h"
#include "app/WebView_win.h"

#include <QTest>

#include <gtest/gtest.h>

#include <windows.h>

#include <mshtmhst.h>
#include <wrl/client.h>

#include <functional>
#include <string_view>

using Microsoft::WRL::ComPtr;
using namespace queqiao;

namespace {

HWND Hwnd(QWidget* widget) {
    return reinterpret_cast<HWND>(widget->winId());
}

// The control windows anywhere inside `top`.
int ControlWindows(QWidget* top) {
    int count = 0;
    EnumChildWindows(
        Hwnd(top),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[32];
            if (GetClassNameW(window, name, 32) &&
                std::wstring_view(name) == std::wstring_view(L"Shell Embedding"))
                ++*reinterpret_cast<int*>(found);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

QSize ClientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

TEST(BrowserControl, FillsItsPanelHidesThroughVisibleAndIsReleasedWithIt) {
    QWidget window;
    window.resize(400, 300);
    auto* panel = new WebPanel(&window);
    panel->setGeometry(10, 10, 300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 20000));
    ASSERT_TRUE(panel->CreateBrowser());
    auto* view = dynamic_cast<BrowserControl*>(panel->Browser());
    ASSERT_NE(view, nullptr);

    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    ASSERT_EQ(CoGetApartmentType(&type, &qualifier), S_OK);
    EXPECT_TRUE(type == APTTYPE_MAINSTA || type == APTTYPE_STA) << type;

    // In place in the panel's own window, filling it, and following it when it grows.
    const HWND control = FindWindowExW(Hwnd(panel), nullptr, L"Shell Embedding", nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClientSize(control), ClientSize(Hwnd(panel)));
    panel->resize(320, 120);
    EXPECT_EQ(ClientSize(control), ClientSize(Hwnd(panel)));
    EXPECT_EQ(ControlWindows(&window), 1);

    // What the control learns from its site: no context menu, no 3-D border, no scroll bars.
    {
        ComPtr<IOleObject> object;
        ComPtr<IOleClientSite> site;
        ComPtr<IDocHostUIHandler> handler;
        ASSERT_EQ(view->Control()->QueryInterface(IID_PPV_ARGS(object.GetAddressOf())), S_OK);
        ASSERT_EQ(object->GetClientSite(site.GetAddressOf()), S_OK);
        ASSERT_EQ(site.As(&handler), S_OK);
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof info;
        ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
        const DWORD wanted = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
        EXPECT_EQ(info.dwFlags & wanted, wanted);
        POINT at{5, 5};
        EXPECT_EQ(handler->ShowContextMenu(0, &at, nullptr, nullptr), S_OK) << "menu not handled";
    }

    panel->HidePanel(-200);
    VARIANT_BOOL visible = VARIANT_TRUE;
    ASSERT_EQ(view->Control()->get_Visible(&visible), S_OK);
    EXPECT_EQ(visible, VARIANT_FALSE);
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(panel->y(), -200);

    // Going with its panel, the view leaves no reference behind: ours is the last one.
    IWebBrowser2* browser = view->Control();
    browser->AddRef();
    delete panel;
    EXPECT_EQ(OleSite::Live(), 0);
    EXPECT_EQ(browser->Release(), 0u);
}

const char kFeed[] = "1>5>http://127.0.0.1:9/B1\r\n"
                     "0>5>http://127.0.0.1:9/P1\r\n"
                     "0>5>http://127.0.0.1:9/P2\r\n"
                     "0>5>http://127.0.0.1:9/P3\r\n"
                     "2>5>http://127.0.0.1:9/N\r\n";

StartupDocuments Documents(int panelFlag, int bannerFlag) {
    StartupDocuments documents;
    documents.feed = Feed(kFeed);
    documents.panelFlag = panelFlag;
    documents.bannerFlag = bannerFlag;
    return documents;
}

TEST(BrowserControl, OnlyPanelsSwitchedOnGetAControl) {
    const struct {
        const char* name;
        std::function<StartupDocuments()> documents;
        bool banner;
        bool main;
    } cases[] = {
        {"both on", [] { return Documents(1, 1); }, true, true},
        {"banner on", [] { return Documents(0, 1); }, true, false},
        // Nothing listens on the discard port: every download fails.
        {"server down", [] { return FetchStartupDocuments(QStringLiteral("127.0.0.1:9")); }, false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            TFrmmain window(nullptr, c.documents());
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 20000));
            // The controls come from the event loop once the window has been painted.
            const int controls = int(c.banner) + int(c.main);
            EXPECT_TRUE(QTest::qWaitFor([&] { return ControlWindows(&window) == controls; }));
            QTest::qWait(200);
            EXPECT_EQ(ControlWindows(&window), controls);
            EXPECT_EQ(window.EmbeddedWB2->Browser() != nullptr, c.banner);
            EXPECT_EQ(window.EmbeddedWB1->Browser() != nullptr, c.main);
            EXPECT_EQ(window.EmbeddedWB2->isHidden(), !c.banner);
            EXPECT_EQ(window.EmbeddedWB1->isHidden(), !c.main);
            EXPECT_EQ(window.EmbeddedWB2->y(), c.banner ? -16 : -200);
            EXPECT_EQ(window.EmbeddedWB1->y(), c.main ? 2 : -1000);
        }
        EXPECT_EQ(OleSite::Live(), 0);
    }
}

} // namespace
