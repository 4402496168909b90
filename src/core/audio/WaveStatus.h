// Status codes of the audio classes: 32-bit, negative on failure, 0 on success. The values are
// the ones the program has always used, so logs and tests can compare them numerically.
#pragma once

#include <cstdint>

using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);              // general failure
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);        // invalid argument
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);       // allocation failed
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);           // not in this mode
inline constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u); // not opened

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
