// The programs' own operator new and delete: out of memory ends the program, as TString does, so the
// run-time library's throwing versions (and the exception support they bring, over 100 KB) stay out.
#include <windows.h>

#include <stdlib.h>

#include <new>

namespace {
void* Allocate(size_t size)
{
    void* block = malloc(size ? size : 1);
    if (!block)
        FatalAppExitA(0, "Out of memory");
    return block;
}
}

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
