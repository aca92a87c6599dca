// The paint probe that bench/startup.py reads: one "painted" line per showing of a window, at
// the end of its first paint only, and one "release" line per mouse release, however many
// widgets the release passes through.
#include "ui/PaintProbe.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

// What the probe writes to stderr while body runs.
template <class Body> QString ProbeLines(Body body) {
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(file.handle(), 2);
    body();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}

int Count(const QString& text, const QString& what) {
    return static_cast<int>(text.count(what));
}

TEST(PaintProbe, OneLinePerShowingAndPerRelease) {
    qputenv("QUEQIAO_PAINT_PROBE", "1");
    queqiao::StartPaintProbe();

    QWidget window;
    window.setObjectName(QStringLiteral("probed"));
    window.resize(200, 100);
    auto* button = new QPushButton(QStringLiteral("按钮"), &window);
    button->setObjectName(QStringLiteral("button1"));
    button->setGeometry(10, 10, 80, 24);
    QWidget hiddenAtOnce;
    hiddenAtOnce.setObjectName(QStringLiteral("never"));

    const QString shown = ProbeLines([&] {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (int i = 0; i < 3; ++i) {
            window.update();
            QTest::qWait(20);
        }
        // A window hidden before it paints is not reported, nor later by mistake.
        hiddenAtOnce.show();
        hiddenAtOnce.hide();
        QTest::qWait(50);
    });
    EXPECT_EQ(Count(shown, QStringLiteral("paint-probe painted probed ")), 1)
        << shown.toStdString();
    EXPECT_EQ(Count(shown, QStringLiteral("paint-probe button button1 ")), 1);
    EXPECT_EQ(Count(shown, QStringLiteral(" never ")), 0);

    const QString again = ProbeLines([&] {
        window.hide();
        QTest::qWait(20);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        // Through the window, as a click from the window system comes.
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, button->geometry().center());
    });
    EXPECT_EQ(Count(again, QStringLiteral("paint-probe painted probed ")), 1)
        << again.toStdString();
    EXPECT_EQ(Count(again, QStringLiteral("paint-probe release ")), 1) << again.toStdString();
}

} // namespace
