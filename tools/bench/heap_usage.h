// Heap memory in use, to see that a long run does not grow it.
#pragma once

#include <cstdint>

// Bytes currently allocated from the heap, or -1 where this build cannot tell.
int64_t HeapBytesInUse();
// How HeapBytesInUse counts: the address sanitizer's allocator, glibc's mallinfo2, or none.
const char* HeapCountSource();
