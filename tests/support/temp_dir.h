// A fresh folder, removed with everything in it at the end. By default it is
// the current directory while the object lives, and the previous directory
// comes back at the end.
#pragma once

#include <string>

class TempDir {
public:
    enum class Use { AsCurrentDirectory, Aside };

    explicit TempDir(Use use = Use::AsCurrentDirectory);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; } // absolute, UTF-8

private:
    std::string path_;
    std::string previous_; // empty when the folder was not entered
};
