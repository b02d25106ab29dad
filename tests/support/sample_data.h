// The data tool for test fixtures: running it, and the bundled sample data
// (消費税, 会社法民法, 消費目次, help pages, authoring databases) that it
// builds from sample/.
#pragma once

#include <QStringList>

#include <filesystem>
#include <string>

struct MkdataRun {
    int exitCode = -1; // -1 when the tool did not end normally
    std::string errors; // its standard error, UTF-8
};

// Runs the data tool with these arguments and waits for it.
MkdataRun RunMkdata(const QStringList& args);

// The folder with the sample data, built on the first call of the test
// process and removed when the process ends. Throws when the tool fails.
const std::filesystem::path& SampleDataDir();

// Copies the sample data, subfolders included, into `folder`.
void CopySampleData(const std::filesystem::path& folder);
