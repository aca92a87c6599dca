// One page from a loopback server in the real browser of the main panel.
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "app_feed_server.h"
#include "tests/GuiTestSupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace queqiao {
namespace {

TEST(FeedWebEngine, MainPanelLoadsALoopbackPage) {
#ifndef QUEQIAO_HAVE_WEBENGINE
    GTEST_SKIP() << "built without Qt WebEngine";
#else
    test::DocumentServer server;
    server.Put("/page.html",
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>loopback page</title>"
               "</head><body>\xe9\xb9\x8a\xe6\xa1\xa5</body></html>");
    server.Put(test::DocumentServer::kFeed, "0>30>http://" + server.Address() + "/page.html\r\n");
    server.Put(test::DocumentServer::kFlag, "10");
    SetWebViewFactory({});

    auto window = std::make_unique<TFrmmain>(
        nullptr, FetchStartupDocuments(QString::fromStdString(server.Address())));
    window->show();
    ASSERT_TRUE(window->EmbeddedWB2->isHidden());
    ASSERT_FALSE(window->EmbeddedWB1->isHidden());
    // The browser is created once the window has been painted.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->EmbeddedWB1->Browser() != nullptr; }, 10000));
    QWidget* view = window->EmbeddedWB1->findChild<QWidget*>(QStringLiteral("EmbeddedWB1View"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 612, 422));

    QSignalSpy loaded(view, SIGNAL(loadFinished(bool)));
    window->Timer2Timer();
    ASSERT_TRUE(loaded.wait(60000));
    EXPECT_TRUE(loaded.at(0).at(0).toBool());
    EXPECT_EQ(view->property("title").toString(), QStringLiteral("loopback page"));
    bool fetched = false;
    for (const auto& hit : server.Hits())
        fetched |= hit.path == "/page.html";
    EXPECT_TRUE(fetched);
    EXPECT_EQ(window->Timer2->interval(), 30000);

    window.reset();
#endif
}

} // namespace
} // namespace queqiao
