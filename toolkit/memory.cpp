#include "toolkit/memory.h"

#include <cstdlib>
#include <cstring>

bool AllocateBlock(void** pointer, size_t size)
{
    *pointer = std::malloc(size ? size : 1);
    return *pointer != nullptr;
}

void FreeBlock(void** pointer)
{
    std::free(*pointer);
    *pointer = nullptr;
}

void Move(const void* src, void* dst, size_t count)
{
    if (count) std::memmove(dst, src, count);
}

void Fill(void* dst, size_t count, uint8_t byte)
{
    if (count) std::memset(dst, byte, count);
}

size_t Compare(const void* a, const void* b, size_t count)
{
    const auto* left = static_cast<const uint8_t*>(a);
    const auto* right = static_cast<const uint8_t*>(b);
    size_t equal = 0;
    while (equal < count && left[equal] == right[equal]) ++equal;
    return equal;
}
