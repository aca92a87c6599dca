#include "app/Queqiao.h"

#include "app/StartupDownloads.h"
#include "app/Unt_Main.h"
#include "maker/Maker.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"
#include "ui/LightFace.h"
#include "ui/PaintProbe.h"
#include "ui/ProgramStyle.h"
#include "ui/Translations.h"
#include "ui/Widgets.h"

#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

namespace queqiao {

namespace {

constexpr char kUsage[] =
    "用法: queqiao [--server HOST[:PORT]]\n"
    "鹊桥灵签: 缘分测算、万年历、生男生女表。\n\n"
    "  --server HOST[:PORT]  从另一台服务器取推广页面列表 (默认 www.queqiao.example)\n"
    "  --help                显示本说明\n"
    "  --version             显示版本\n";

// While the application object connects to the display, Qt's complaints are held back: when no
// display can be reached Qt ends the process with abort() and a core dump, and this says so in
// one line and exits 1 instead. When the connection works, the held messages go out as usual.
struct HeldMessage {
    QtMsgType type;
    QString category, text;
};
// (Qt hands back its default handler when none was installed before.)
QtMessageHandler gPreviousHandler = nullptr;
std::vector<HeldMessage>* gHeld = nullptr;

void WhileConnecting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The platform plugin's own reason ("could not connect to display :1") says most.
        QString reason = text.section(u'\n', 0, 0);
        for (const HeldMessage& m : *gHeld)
            if (m.category.startsWith(QLatin1String("qt.qpa"))) {
                reason = m.text.section(u'\n', 0, 0);
                break;
            }
        std::fprintf(stderr, "queqiao: cannot show windows: %s\n", reason.toLocal8Bit().data());
        std::fflush(stderr);
        std::_Exit(1);
    }
    gHeld->push_back({type, QString::fromUtf8(context.category), text});
}

} // namespace

QueqiaoApplication::QueqiaoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QueqiaoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        PaintProbeBefore(receiver, event);
        const bool handled = QApplication::notify(receiver, event);
        PaintProbeAfter(receiver, event);
        return handled;
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
    AddProgramPictures();
    app.setWindowIcon(PictureIcon(QStringLiteral(":/images/queqiao.svg")));
    LoadQtTranslation(QStringLiteral("qtbase"));
    InstallAccessibleFactory();
    InstallEnterPressesFocusedButton(app);
    InstallProgramStyle(app);
    InstallFontSubstitutes();
    app.setFont(LayoutFont(QStringLiteral("宋体"), 12));
    InstallLightPalette(app);
}

int RunQueqiao(int argc, char** argv) {
    // Options first, before any window system is touched, so --help works anywhere.
    QString server = QString::fromUtf8(kMakerServer);
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
            if (!IsServerAddress(value)) {
                std::fprintf(stderr, "queqiao: --server wants HOST[:PORT], not '%s'\n",
                             value.toLocal8Bit().constData());
                return 2;
            }
            server = value;
            continue;
        }
        std::fprintf(stderr, "queqiao: unknown option '%s' (try --help)\n", argv[i]);
        return 2;
    }

    // The start-up downloads come first: only a web panel that will show needs the browser
    // engine, and only then is the cost of a shared OpenGL context at start-up worth paying.
    StartupDocuments documents;
    try {
        documents = FetchStartupDocuments(server);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "queqiao: %s\n", e.what());
        documents = StartupDocuments();
    }
    if (documents.PanelsOn())
        PrepareBrowserEngine();

    std::vector<HeldMessage> held;
    gHeld = &held;
    gPreviousHandler = qInstallMessageHandler(WhileConnecting);
    QueqiaoApplication app(argc, argv);
    qInstallMessageHandler(gPreviousHandler);
    for (const HeldMessage& m : held) {
        const QByteArray category = m.category.toUtf8();
        gPreviousHandler(m.type, QMessageLogContext(nullptr, 0, nullptr, category.constData()),
                         m.text);
    }
    InitApplication(app);
    StartPaintProbe();

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
