#pragma once

#include <cstdint>

// The engine reports like the media framework it stands in for: negative on failure.
using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
// The state change has begun and ends later.
constexpr HRESULT VFW_S_STATE_INTERMEDIATE = HRESULT(0x00040237);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
// Run or Stop asked in a state that does not allow it.
constexpr HRESULT VFW_E_WRONG_STATE = HRESULT(0x80040227u);

constexpr bool SUCCEEDED(HRESULT result) {
    return result >= 0;
}
constexpr bool FAILED(HRESULT result) {
    return result < 0;
}
