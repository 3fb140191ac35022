#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// SHA-256 (FIPS 180-4) of a file's bytes: the window names the file it hands
// to an elevated run of the command line by it, and that run applies the
// file only when the bytes it reads still have that digest.
namespace tallowin {

std::array<std::uint8_t, 32> Sha256(std::span<const std::uint8_t> bytes);

// The digest as 64 lower-case hexadecimal digits.
std::u16string Sha256Text(std::span<const std::uint8_t> bytes);

}  // namespace tallowin
