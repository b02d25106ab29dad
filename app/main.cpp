// The process: start-up in its fixed order, the message loop, shut-down.
#include "app/mainpas.h"
#include "app/splashpas.h"
#include "app/startup.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/app/single_instance.h"

#include <memory>

#ifdef RONVETTA_STARTUP_PROBE
#include "platform/text/sjis.h"
#include "platform/ui/status_bar.h"

#include <chrono>
#include <cstdio>
#endif

#ifdef RONVETTA_DEVELOPER_BUILD
constexpr bool DeveloperBuild = true;
#else
constexpr bool DeveloperBuild = false;
#endif

int ProgramEntry(int argc, char** argv)
{
    platform::Application application(argc, argv);
    NamepasReset();
    SplashpasInitialization();

    const std::string title = ApplicationTitleText(DeveloperBuild);
    if (SingleInstanceTest(title))
        return 0;
    // Answer tables, presence flags, timer, file names, title, then the main
    // form, which a second start finds from now on, and the law and book
    // data modules.
    std::unique_ptr<ReaderSession> reader;
    std::unique_ptr<platform::InstanceServer> instanceServer;
    platform::RunGuarded([&] {
        reader = std::make_unique<ReaderSession>(title, PresenceFlagsSet, [&](TMain& main) {
            if (!IsDeveloperTitle(title))
                instanceServer = std::make_unique<platform::InstanceServer>(title, &main);
        });
    });
    if (!reader)
        return 1;

    QObject::connect(Main, &TMain::Closed, &application, &QCoreApplication::quit);
    Main->show();
#ifdef RONVETTA_STARTUP_PROBE
    // The start-up benchmark's build ends once the window has been shown:
    // the steady clock in microseconds, then the program's own start-up time.
    std::printf("%lld %s\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                           std::chrono::steady_clock::now().time_since_epoch())
                                           .count()),
                sjis::toUtf8(Main->StatusBar1->Panels(1).Text()).c_str());
    return 0;
#endif
    const int exitCode = application.exec();

    instanceServer.reset();
    reader.reset();
    NamepasReset();
    return exitCode;
}

int main(int argc, char** argv)
{
    return ProgramEntry(argc, argv);
}
