#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

TempDir::TempDir() : previous_(std::filesystem::current_path().string())
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ronvetta-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}
