// The programs' own operator new and delete: out of memory ends the program, as TString does, so the
// run-time library's throwing versions (and the exception support they bring, over 100 KB) stay out.
#include "memory.h"

#include <windows.h>

#include <stdlib.h>

#include <new>

void OutOfMemory()
{
    RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, 0);
    ExitProcess(STATUS_NO_MEMORY);
}

namespace {
void* Allocate(size_t size)
{
    void* block = malloc(size ? size : 1);
    if (!block)
        OutOfMemory();
    return block;
}
}

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
