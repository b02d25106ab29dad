// A replaceable service (the system, the printer, Word): its default unless
// another one is installed, as the tests do.
#pragma once

namespace platform {

template <typename T>
class Seam {
public:
    explicit Seam(T& fallback) : fallback_(fallback), current_(&fallback) {}

    T& Current() const { return *current_; }

    // Installs `replacement` (nullptr: the default); returns the one before
    // (nullptr when that was the default).
    T* Install(T* replacement)
    {
        T* before = current_;
        current_ = replacement ? replacement : &fallback_;
        return before == &fallback_ ? nullptr : before;
    }

private:
    T& fallback_;
    T* current_;
};

} // namespace platform
