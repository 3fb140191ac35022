#include "support/failing_allocator.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Constant-initialised, so that allocations made while other translation
// units are being initialised already see no planned failure.
constinit std::atomic<long> allocationsLeft{0};  // 0: no failure planned
constinit std::atomic<bool> failed{false};

// Counts one allocation against the budget; true for the one that uses it up.
bool FailThisOne() noexcept {
  long left = allocationsLeft.load();
  while (left > 0) {
    if (allocationsLeft.compare_exchange_weak(left, left - 1)) {
      if (left != 1) return false;
      failed.store(true);
      return true;
    }
  }
  return false;
}

void* Block(std::size_t size) noexcept { return std::malloc(size == 0 ? 1 : size); }

// An over-aligned block is carved out of a larger malloc'd one, with the
// malloc'd address kept just in front of it, so that it too goes back with
// free. std::aligned_alloc would not do: MinGW's C runtime lacks it, and
// its _aligned_malloc needs a free of its own.
void* AlignedBlock(std::size_t size, std::align_val_t alignment) noexcept {
  const std::size_t align = static_cast<std::size_t>(alignment);
  const std::size_t extra = align - 1 + sizeof(void*);
  if (size > SIZE_MAX - extra) return nullptr;
  void* const raw = std::malloc(size + extra);
  if (raw == nullptr) return nullptr;
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
  void* const block = reinterpret_cast<void*>((start + align - 1) & ~static_cast<std::uintptr_t>(align - 1));
  std::memcpy(static_cast<char*>(block) - sizeof(void*), &raw, sizeof(void*));
  return block;
}

void FreeAligned(void* block) noexcept {
  if (block == nullptr) return;
  void* raw;
  std::memcpy(&raw, static_cast<char*>(block) - sizeof(void*), sizeof(void*));
  std::free(raw);
}

void* Allocate(std::size_t size) {
  if (FailThisOne()) throw std::bad_alloc();
  if (void* const block = Block(size)) return block;
  throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept { return FailThisOne() ? nullptr : Block(size); }

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  if (FailThisOne()) throw std::bad_alloc();
  if (void* const block = AlignedBlock(size, alignment)) return block;
  throw std::bad_alloc();
}

void* AllocateAlignedOrNull(std::size_t size, std::align_val_t alignment) noexcept {
  return FailThisOne() ? nullptr : AlignedBlock(size, alignment);
}

}  // namespace

namespace tallowin::testing {

void PlanAllocationFailure(long allocation) {
  failed.store(false);
  allocationsLeft.store(allocation > 0 ? allocation : 0);
}

void CancelAllocationFailure() { allocationsLeft.store(0); }

bool AllocationFailed() { return failed.load(); }

}  // namespace tallowin::testing

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAlignedOrNull(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAlignedOrNull(size, alignment);
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { FreeAligned(block); }
void operator delete[](void* block, std::align_val_t) noexcept { FreeAligned(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { FreeAligned(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { FreeAligned(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { FreeAligned(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept { FreeAligned(block); }
