#pragma once

// Colours of controls, as 0xBBGGRR.
namespace forms::colour {
constexpr long Default = -1; // the system's colour for that kind of control
constexpr long Blue = 0xFF0000;
constexpr long Grey = 0x808080;
constexpr long White = 0xFFFFFF;
} // namespace forms::colour
