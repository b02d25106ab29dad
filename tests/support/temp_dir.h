// A fresh folder that is the current directory while the object lives; the
// previous directory comes back and the folder is removed at the end.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; } // absolute, UTF-8

private:
    std::string path_;
    std::string previous_;
};
