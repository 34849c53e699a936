#include "common/huge_page_heap.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace plovis {

#if defined(__linux__) && defined(__GLIBC__)

namespace {
constexpr const char* kVariable = "GLIBC_TUNABLES";
constexpr const char* kHugePages = "glibc.malloc.hugetlb=1";
}  // namespace

void restartWithHugePageHeap(char** argv) {
    if (const char* set = std::getenv(kVariable)) {
        // Restarted: the programs started from here (LibreOffice converting a workbook, a PDF
        // viewer) get the environment as the user left it.
        if (std::strcmp(set, kHugePages) == 0) unsetenv(kVariable);
        return;
    }
    setenv(kVariable, kHugePages, 1);
    execv("/proc/self/exe", argv);
    unsetenv(kVariable);  // not restarted: carry on as started
}

#else

void restartWithHugePageHeap(char**) {}

#endif

}  // namespace plovis
