#include "encoding/HugePages.h"

#include <sys/mman.h>

#include <cstdint>

void adviseHugePages(void *buffer, std::size_t bytes)
{
    constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;
    const auto begin = (reinterpret_cast<std::uintptr_t>(buffer) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + bytes) & ~(kHugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
}
