// Heap allocation that cannot hand back a null pointer.
#pragma once

// Returns block when it is not null. A null block means the allocation that produced it ran
// out of memory: prints "drav: out of memory (<purpose>)" on stderr and ends the process with
// a non-zero status, so no caller ever works through a null pointer.
void* EnsureAllocated(void* block, const char* purpose);
