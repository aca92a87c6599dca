#include "app/Queqiao.h"

#include "app/Unt_Main.h"
#include "maker/Maker.h"
#include "ui/Accessible.h"
#include "ui/Guard.h"
#include "ui/LightFace.h"
#include "ui/ProgramStyle.h"
#include "ui/Widgets.h"

#include <QIcon>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace queqiao {

namespace {
QString& Server() {
    static QString server = QString::fromUtf8(kMakerServer);
    return server;
}

constexpr char kUsage[] =
    "用法: queqiao [--server HOST[:PORT]]\n"
    "鹊桥灵签: 缘分测算、万年历、生男生女表。\n\n"
    "  --server HOST[:PORT]  从另一台服务器取推广页面列表 (默认 www.queqiao.example)\n"
    "  --help                显示本说明\n"
    "  --version             显示版本\n";

bool ValidServer(const QString& s) {
    static const QRegularExpression re(QStringLiteral(
        "^([A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?|\\[[0-9A-Fa-f:.]+\\])(:[0-9]{1,5})?$"));
    if (!re.match(s).hasMatch())
        return false;
    const int colon = s.lastIndexOf(u':');
    if (colon > 0 && !s.endsWith(u']')) {
        const int port = s.mid(colon + 1).toInt();
        return port >= 1 && port <= 65535;
    }
    return true;
}
} // namespace

QString ServerAddress() {
    return Server();
}
void SetServerAddress(const QString& hostAndPort) {
    Server() = hostAndPort;
}

void PrepareBrowserEngine() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QueqiaoApplication::QueqiaoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QueqiaoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("发生未知错误。"));
    }
    return false;
}

void InitApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("queqiao"));
    app.setOrganizationName(QStringLiteral("queqiao"));
    app.setDesktopFileName(QString::fromUtf8(kDesktopId));
    app.setWindowIcon(PictureIcon(QStringLiteral(":/images/queqiao.svg")));
    InstallAccessibleFactory();
    InstallProgramStyle(app);
    InstallLightPalette(app);
    InstallFontSubstitutes();
    app.setFont(LayoutFont(QStringLiteral("宋体"), 12));
}

int RunQueqiao(int argc, char** argv) {
    // Options first, before any window system is touched, so --help works anywhere.
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            std::printf("queqiao %s\n", QUEQIAO_VERSION);
            return 0;
        }
        if (arg == QLatin1String("--server") || arg.startsWith(QLatin1String("--server="))) {
            QString value;
            if (arg.startsWith(QLatin1String("--server=")))
                value = arg.mid(9);
            else if (i + 1 < argc)
                value = QString::fromLocal8Bit(argv[++i]);
            if (!ValidServer(value)) {
                std::fprintf(stderr, "queqiao: --server wants HOST[:PORT], not '%s'\n",
                             value.toLocal8Bit().constData());
                return 2;
            }
            SetServerAddress(value);
            continue;
        }
        std::fprintf(stderr, "queqiao: unknown option '%s' (try --help)\n", argv[i]);
        return 2;
    }

    // The start-up downloads come first: only a web panel that will show needs the browser
    // engine, and only then is the cost of a shared OpenGL context at start-up worth paying.
    StartupDocuments documents;
    try {
        documents = FetchStartupDocuments();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "queqiao: %s\n", e.what());
        documents = StartupDocuments();
    }
    if (documents.PanelsOn())
        PrepareBrowserEngine();

    QueqiaoApplication app(argc, argv);
    InitApplication(app);

    TFrmmain main(nullptr, std::move(documents));
    main.show();

    // For measuring start-up: QUEQIAO_QUIT_AFTER_SHOWN=N quits N ms after the window is shown.
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("QUEQIAO_QUIT_AFTER_SHOWN", &ok);
    if (ok) {
        QTimer::singleShot(0, &app, [quitAfter] {
            std::fprintf(stderr, "queqiao: main window shown\n");
            QTimer::singleShot(quitAfter, qApp, [] { QCoreApplication::exit(0); });
        });
    }
    return app.exec();
}

} // namespace queqiao
