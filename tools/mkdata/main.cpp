// mkdata: builds the reader's data files.
//   mkdata sample SRC OUT   the sample data from the readable sources in SRC
//   mkdata large OUT        the large generated collection for benchmarks
#include "large_build.h"
#include "sample_build.h"

#include "platform/db/dataset.h"
#include "platform/text/sjis.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int usage()
{
    std::fputs("usage: mkdata sample SRC OUT\n       mkdata large OUT\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        std::string summary;
        if (command == "sample" && argc == 4)
            summary = mkdata::buildSample(argv[2], argv[3]);
        else if (command == "large" && argc == 3)
            summary = mkdata::buildLarge(argv[2]);
        else
            return usage();
        std::printf("%s\n", summary.c_str());
        return 0;
    } catch (const db::Error& e) {
        // The database layer speaks CP932.
        std::fprintf(stderr, "mkdata: %s\n", sjis::toUtf8(e.what()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkdata: %s\n", e.what());
    }
    return 1;
}
