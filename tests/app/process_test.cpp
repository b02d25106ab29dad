// The built programs, started twice in one folder.
#include "app_fixture.h"

#include "app/splashpas.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {

QString Program(const char* name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../") + QString::fromLatin1(name);
}

bool WaitUntil(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QThread::msleep(50);
    return done();
}

class ProgramRuns : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        // The programs start over the sample data: no table is missing.
        CopySampleData(dir_.Path());
        // The instances of this test meet only each other.
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env_.insert(QStringLiteral("TMPDIR"), Dir());
    }
    void TearDown() override
    {
        for (QProcess* p : processes_) {
            p->kill();
            p->waitForFinished();
            delete p;
        }
        InTempDir::TearDown();
    }
    QProcess* Start(const char* program)
    {
        auto* p = new QProcess;
        p->setProcessEnvironment(env_);
        p->setWorkingDirectory(Dir());
        p->start(Program(program), {});
        processes_.push_back(p);
        EXPECT_TRUE(p->waitForStarted());
        return p;
    }
    QString Socket(const char* title) const
    {
        return Dir() + QStringLiteral("/") + QString::fromUtf8(title) + QStringLiteral(".%1").arg(getuid());
    }
    QString Dir() const { return QString::fromStdString(dir_.Path()); }

    QProcessEnvironment env_;
    std::vector<QProcess*> processes_;
};

} // namespace

TEST_F(ProgramRuns, ASecondStartEndsAtOnceAndLeavesTheFilesAlone)
{
    ASSERT_TRUE(QFile::exists(Program("ronvetta"))) << "build the ronvetta target";
    QProcess* first = Start("ronvetta");
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(Socket("Ronvetta")); })) << "first instance listens";

    WriteFile(QStringLiteral("_QSQ1.DB"), "x");
    WriteFile(QStringLiteral("_QSQ99.DB"), "x");
    WriteFile(QStringLiteral("C3.dl_"), "1\r\n");
    QProcess* second = Start("ronvetta");
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(QFile::exists(QStringLiteral("_QSQ1.DB")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("_QSQ99.DB")));
    EXPECT_EQ(ReadFile(QStringLiteral("C3.dl_")), QByteArray("1\r\n"));
    EXPECT_FALSE(first->waitForFinished(200)) << "the first instance runs on";
}

TEST_F(ProgramRuns, TheDeveloperBuildNeverLooks)
{
    ASSERT_TRUE(QFile::exists(Program("ronvetta-beta"))) << "build the ronvetta-beta target";
    WriteFile(QStringLiteral("_QSQ7.DB"), "x");
    Start("ronvetta-beta");
    ASSERT_TRUE(WaitUntil([] { return !QFile::exists(QStringLiteral("_QSQ7.DB")); }));

    WriteFile(QStringLiteral("_QSQ8.DB"), "x");
    QProcess* second = Start("ronvetta-beta");
    EXPECT_TRUE(WaitUntil([] { return !QFile::exists(QStringLiteral("_QSQ8.DB")); }))
        << "the second developer start runs on";
    EXPECT_FALSE(second->waitForFinished(200));
}

TEST(Splash, ShowsItsPictureAndGoesWhenAnotherWindowIsActivated)
{
    NamepasReset();
    SplashpasInitialization();
    QPointer<TSplash> splash = Splash;
    ASSERT_TRUE(splash);
    EXPECT_EQ(splash->size(), QSize(380, 260));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash->isVisible());

    QWidget mainWindow;
    mainWindow.show();
    mainWindow.activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (splash && timer.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_FALSE(splash);
    EXPECT_EQ(Splash, nullptr);
}

TEST(Splash, AnErrorBoxShownWhileItIsUpOutlivesIt)
{
    NamepasReset();
    SplashpasInitialization();
    QPointer<TSplash> splash = Splash;
    ASSERT_TRUE(splash);
    // The real error box, as start-up shows it for a table that cannot be
    // opened: it takes the activation, so the splash releases itself while
    // the box is open. The box is closed once the splash has gone.
    QElapsedTimer timer;
    timer.start();
    bool splashGoneWhileOpen = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || (splash && timer.elapsed() < 5000))
            return;
        splashGoneWhileOpen = !splash;
        box->reject();
    });
    closer.start(10);
    platform::ShowError("Cannot open the table file E5.db (no such file)");
    EXPECT_TRUE(splashGoneWhileOpen);
    EXPECT_EQ(Splash, nullptr);
}
