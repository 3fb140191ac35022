#pragma once

// An allocator that fails on request, for tests that make every allocation
// of an operation fail in turn. failing_allocator.cpp replaces every form of
// the program's operator new and operator delete (plain, array, nothrow,
// sized and aligned); a test plans a failure with a budget of allocations,
// and the allocation that uses the budget up fails, once: the throwing forms
// throw std::bad_alloc, the nothrow forms return null. With no failure
// planned every form simply allocates.
//
// Every form allocates with malloc and frees with free, so no block ever
// passes from one allocator to another: a program that replaced only some
// forms would have the C++ runtime, or the sanitizers' runtime, free blocks
// the replacement allocated, or the other way round (an alloc-dealloc
// mismatch). A replacement reaches every allocation of the whole program,
// so only a program of tests that plan failures may link this file.
namespace tallowin::testing {

// Makes the allocation-th allocation from now fail (1: the very next one)
// and forgets whether an earlier planned failure happened. Zero or less
// plans no failure.
void PlanAllocationFailure(long allocation);

// Cancels the planned failure if it has not happened yet; whether it did
// happen is kept for AllocationFailed().
void CancelAllocationFailure();

// Whether the failure planned last has happened.
bool AllocationFailed();

}  // namespace tallowin::testing
