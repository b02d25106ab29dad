// The process: start-up in its fixed order, the message loop, shut-down.
#include "app/kidou.h"
#include "app/mainpas.h"
#include "app/splashpas.h"
#include "app/startup.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/app/single_instance.h"

#include <memory>

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
    QsqFilesDelete();
    PresenceFlagsSet();
    KidouStart();
    TableFileNamesSet();
    platform::SetApplicationTitle(title);

    // The main window is the first form; the data modules follow it.
    std::unique_ptr<TMain> mainForm;
    platform::RunGuarded([&] { mainForm = std::make_unique<TMain>(); });
    if (!mainForm)
        return 1;
    Main = mainForm.get();
    std::unique_ptr<platform::InstanceServer> instanceServer;
    if (!IsDeveloperTitle(title))
        instanceServer = std::make_unique<platform::InstanceServer>(title, Main);

    QObject::connect(Main, &TMain::Closed, &application, &QCoreApplication::quit);
    Main->show();
    const int exitCode = application.exec();

    instanceServer.reset();
    mainForm.reset();
    NamepasReset();
    return exitCode;
}

int main(int argc, char** argv)
{
    return ProgramEntry(argc, argv);
}
