#include "heap_usage.h"

#if defined(__SANITIZE_ADDRESS__)
#define DRAV_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRAV_HEAP_FROM_SANITIZER 1
#endif
#endif

#if defined(DRAV_HEAP_FROM_SANITIZER)
#include <cstddef>
// From the sanitizer runtime's allocator interface; declared here because not every
// compiler ships the header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
#include <malloc.h>
#define DRAV_HEAP_FROM_MALLINFO2 1
#endif

int64_t HeapBytesInUse() {
#if defined(DRAV_HEAP_FROM_SANITIZER)
    return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#elif defined(DRAV_HEAP_FROM_MALLINFO2)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<int64_t>(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

const char* HeapCountSource() {
#if defined(DRAV_HEAP_FROM_SANITIZER)
    return "address sanitizer allocator";
#elif defined(DRAV_HEAP_FROM_MALLINFO2)
    return "glibc mallinfo2";
#else
    return "none";
#endif
}
