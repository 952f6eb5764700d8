#pragma once

#include <array>

using Aes256Key = std::array<unsigned char, 32>;
constexpr int AesBlockSize = 16;

// The AesBlockSize bytes at `block` through AES-256 (FIPS-197), in place: no chaining, no
// padding. False only when the cipher library fails.
bool EncipherBlock(const Aes256Key& key, unsigned char* block);
bool DecipherBlock(const Aes256Key& key, unsigned char* block);
