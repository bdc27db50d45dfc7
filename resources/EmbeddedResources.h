#pragma once

// The embedded files under the names the code uses. The generated arrays are named after
// the files; this is the one place that ties a file to its role.
#include <BinaryData.h>

namespace BinaryData
{
/** The sans-serif text face (OpenType, CFF outlines) that every font resolves to. */
inline const char* const& temp_binary_data_0 = CantarellRegular_otf;
constexpr int temp_binary_data_0Size = CantarellRegular_otfSize;

/** The serif headline face (TrueType) of the window titles. */
inline const char* const& temp_binary_data_2 = CaladeaRegular_ttf;
constexpr int temp_binary_data_2Size = CaladeaRegular_ttfSize;

// Korvel_png, the logo of the title bar, keeps its generated name (scripts/make-logo.sh draws it).
} // namespace BinaryData
