#include "registry/write_turn.h"

#include <sddl.h>

namespace tallowin::registry {

LSTATUS WriteTurn::Take(DWORD waitMs) {
  if (owned_) return ERROR_SUCCESS;
  // Whoever creates the mutex first, an administrator or not, every later
  // writer must be able to wait for it and release it: the default security
  // would shut out the other kind of user.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x00100001;;;WD)", SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
    return static_cast<LSTATUS>(::GetLastError());
  }
  const win32::UniqueLocal descriptorOwner(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  mutex_.reset(::CreateMutexW(&attributes, FALSE, kWriteMutexName));
  if (!mutex_) {
    const DWORD created = ::GetLastError();
    // Made before by a writer whose security does not let this one create
    // it again: opening with the rights the descriptor grants still works.
    if (created != ERROR_ACCESS_DENIED) return static_cast<LSTATUS>(created);
    mutex_.reset(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kWriteMutexName));
    if (!mutex_) return static_cast<LSTATUS>(::GetLastError());
  }
  switch (::WaitForSingleObject(mutex_.get(), waitMs)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
      owned_.reset(mutex_.get());
      return ERROR_SUCCESS;
    case WAIT_TIMEOUT:
      return WAIT_TIMEOUT;
    default:
      return static_cast<LSTATUS>(::GetLastError());
  }
}

}  // namespace tallowin::registry
