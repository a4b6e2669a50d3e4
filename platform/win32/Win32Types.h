// The few Win32 handle and result types the engine's code is written against.
#pragma once

#include <cstdint>

struct PlatformWindow;

using HWND = PlatformWindow*;
using HINSTANCE = void*;
using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
using BOOL = int;
// libjpeg's headers define both as macros of these same values; a source that reads those first keeps them.
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif
#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
using LONG = std::int32_t;

struct RECT
{
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

inline bool SUCCEEDED(HRESULT result) { return result >= 0; }
inline bool FAILED(HRESULT result) { return result < 0; }
