// Raw memory blocks: allocation, copying, filling and comparison.
#pragma once

#include <cstddef>
#include <cstdint>

// The pointer receives a new block of size bytes, or null (false) when none
// can be had. Free releases it and clears the pointer.
bool AllocateBlock(void** pointer, size_t size);
void FreeBlock(void** pointer);

template <typename T>
bool Allocate(T** pointer, size_t size)
{
    void* block = nullptr;
    bool ok = AllocateBlock(&block, size);
    *pointer = static_cast<T*>(block);
    return ok;
}

template <typename T>
void Free(T** pointer)
{
    void* block = *pointer;
    FreeBlock(&block);
    *pointer = nullptr;
}

// count bytes from src to dst; the blocks may overlap.
void Move(const void* src, void* dst, size_t count);
void Fill(void* dst, size_t count, uint8_t byte);
// The number of equal leading bytes: count exactly when the blocks are equal.
size_t Compare(const void* a, const void* b, size_t count);
