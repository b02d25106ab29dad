// The built programs, started twice in one folder.
#include "app_fixture.h"

#include "app/splashpas.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
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
        // Readers before the displays they show on.
        for (QProcess* p : std::vector(processes_.rbegin(), processes_.rend())) {
            p->kill();
            p->waitForFinished();
            delete p;
        }
        InTempDir::TearDown();
    }
    // `display` empty: the offscreen platform; else the X display (":3").
    QProcess* Start(const char* program, const QString& display = {})
    {
        auto* p = new QProcess;
        QProcessEnvironment env = env_;
        if (!display.isEmpty()) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), display);
        }
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(Dir());
        p->start(Program(program), {});
        processes_.push_back(p);
        EXPECT_TRUE(p->waitForStarted());
        return p;
    }
    QString Socket(const char* title, const QString& desktop = QStringLiteral("offscreen")) const
    {
        return Dir() + QStringLiteral("/") + QString::fromUtf8(title)
               + QStringLiteral(".%1.").arg(getuid()) + desktop + QStringLiteral("/socket");
    }
    // A virtual X display of its own; empty when it cannot be had.
    QString StartDisplay()
    {
        auto* x = new QProcess;
        processes_.push_back(x);
        x->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp")});
        QByteArray number;
        while (!number.endsWith('\n') && x->waitForReadyRead(10000))
            number += x->readAllStandardOutput();
        return number.trimmed().isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number.trimmed());
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

// The running instance is found from the time its main window exists, also
// while start-up shows an error box.
TEST_F(ProgramRuns, ASecondStartEndsWhileTheFirstShowsAStartUpError)
{
    QFile::remove(QStringLiteral("E5.db"));
    QProcess* first = Start("ronvetta");
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(Socket("Ronvetta")); })) << "first instance listens";
    QProcess* second = Start("ronvetta");
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(first->waitForFinished(200)) << "the first instance waits behind its box";
}

// Each display is a desktop of its own: a reader on one does not keep
// another display from starting one.
TEST_F(ProgramRuns, OneReaderPerDisplay)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "no Xvfb";
    const QString a = StartDisplay();
    const QString b = StartDisplay();
    ASSERT_FALSE(a.isEmpty() || b.isEmpty()) << "two X displays";
    QProcess* first = Start("ronvetta", a);
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(Socket("Ronvetta", a)); }));
    QProcess* other = Start("ronvetta", b);
    EXPECT_TRUE(WaitUntil([&] { return QFile::exists(Socket("Ronvetta", b)); })) << "a reader on " << b.toStdString();
    EXPECT_FALSE(other->waitForFinished(200));

    QProcess* second = Start("ronvetta", a + QStringLiteral(".0"));
    ASSERT_TRUE(second->waitForFinished(10000)) << "the same display, another screen name";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(first->waitForFinished(200));
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
