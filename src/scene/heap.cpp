#include "scene/heap.h"

#include <cstdio>
#include <cstdlib>

void* EnsureAllocated(void* block, const char* purpose) {
    if (block == nullptr) {
        std::fprintf(stderr, "drav: out of memory (%s)\n", purpose);
        std::exit(EXIT_FAILURE);
    }
    return block;
}
