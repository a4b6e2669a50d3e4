// Free helpers over narrow (UTF-8) and wide (code point) strings: numbers, case, trimming, replacing,
// conversion, and the folder of the running program. Number text always uses "." whatever the locale.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
struct Vector3;
struct Vector4;

std::string FloatToString(f32 value, u32 digits);
std::string UIntToString(u32 value, u32 digits);
std::string IntToString(i32 value, u32 digits);
std::string UIntToHexString(u32 value, u32 digits);
std::wstring FloatToWString(f32 value, u32 digits);
std::wstring UIntToWString(u32 value, u32 digits);
std::wstring IntToWString(i32 value, u32 digits);
std::string BoolToString(bool value);
std::wstring Vector3ToWString(const Vector3& v, u32 digits);
std::wstring Vector4ToWString(const Vector4& v, u32 digits);
std::wstring Float4ToWString(f32 x, f32 y, f32 z, f32 w, u32 digits);

f32 StringToFloat(const std::string& text);
u32 StringToUInt(const std::string& text, i32 base);
i32 StringToInt(const std::string& text, i32 base);
bool StringToBool(const std::string& text);
f32 WStringToFloat(const std::wstring& text);
i32 WStringToInt(const std::wstring& text, i32 base);
bool WStringToBool(const std::wstring& text);

void StringToLower(std::string& text);
void StringToUpper(std::string& text);
void WStringToLower(std::wstring& text);
void WStringToUpper(std::wstring& text);
std::string StringToLowerCopy(const std::string& text);
std::string StringToUpperCopy(const std::string& text);
std::wstring WStringToLowerCopy(const std::wstring& text);

void StringTrimLeft(std::string& text);
void StringTrimRight(std::string& text);
void StringTrim(std::string& text);
std::string StringTrimRightCopy(const std::string& text);
void StringRemoveLeading(std::string& text, char character);
std::wstring WStringTrimLeftCopy(const std::wstring& text);
std::wstring WStringTrimRightCopy(const std::wstring& text);
std::wstring WStringTrim(const std::wstring& text);

void StringReplaceAll(std::string& text, const std::string& what, const std::string& with);
void StringRemoveAll(std::string& text, const std::string& what);
void WStringReplaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with);
std::wstring WStringReplaceAllCopy(const std::wstring& text, const std::wstring& what, const std::wstring& with);
std::wstring WStringRemoveAllCopy(const std::wstring& text, const std::wstring& what);

std::wstring StringToWString(const std::string& text);
std::string WStringToString(const std::wstring& text);

std::string GetExecutableDirectory();
}
