#include "sample_data.h"

#include "temp_dir.h"

#include <QProcess>

#include <memory>
#include <stdexcept>

namespace fs = std::filesystem;

MkdataRun RunMkdata(const QStringList& args)
{
    QProcess mkdata;
    mkdata.start(QString::fromUtf8(RONVETTA_MKDATA), args);
    mkdata.waitForFinished(120000);
    return {mkdata.exitStatus() == QProcess::NormalExit ? mkdata.exitCode() : -1,
            mkdata.readAllStandardError().toStdString()};
}

const fs::path& SampleDataDir()
{
    // Built once: every fixture of the process copies or reads the same files.
    static const std::unique_ptr<const TempDir> folder = [] {
        auto made = std::make_unique<const TempDir>(TempDir::Use::Aside);
        const MkdataRun run = RunMkdata({QStringLiteral("sample"), QString::fromUtf8(RONVETTA_SAMPLE_DIR),
                                         QString::fromStdString(made->Path())});
        if (run.exitCode != 0)
            throw std::runtime_error("mkdata sample failed: " + run.errors);
        return made;
    }();
    static const fs::path path = folder->Path();
    return path;
}

void CopySampleData(const fs::path& folder)
{
    fs::copy(SampleDataDir(), folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}
