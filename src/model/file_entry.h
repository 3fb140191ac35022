#pragma once

#include <cstdint>
#include <string>

#include "model/local_time.h"

// A file of a folder as a listing gives it.
namespace tallowin {

struct FileEntry {
  std::u16string Name;
  LocalTime Written;  // its last write, by the local clock
  std::uint64_t Size = 0;
};

}  // namespace tallowin
