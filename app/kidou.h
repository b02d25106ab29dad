// The start-up timer: from the start-up steps to the first showing of the
// main window, shown in the status bar.
#pragma once

#include <cstdint>
#include <string>

void KidouStart();
void KidouEnd();

// An elapsed time in ten-thousandths of a second as seconds in the shortest
// decimal form: 12340 -> "1.234", 20000 -> "2".
std::string LapTimeText(std::int64_t lapTime);
