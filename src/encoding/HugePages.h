#pragma once

#include <cstddef>

// Asks the kernel to back a large, not yet touched buffer with huge pages. Filling
// a buffer of hundreds of megabytes is otherwise bound by one page fault per 4 KiB.
// Only advice: nothing happens where the system does not take it.
void adviseHugePages(void *buffer, std::size_t bytes);
