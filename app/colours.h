#pragma once

#include <QColor>
#include <cstdint>

// Colours are stored as 0x00BBGGRR integers, red in the low byte, as the designs give
// them; this is the one place that turns them into QColor and back.
namespace colours {
constexpr std::uint32_t Black = 0;
constexpr std::uint32_t Yellow = 65535;
constexpr std::uint32_t Green = 65280;
constexpr std::uint32_t White = 16777215;
constexpr std::uint32_t LightGreen = 8454016;
} // namespace colours

inline QColor colourFromBgr(std::uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline std::uint32_t bgrFromColour(const QColor& c) {
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) |
           (std::uint32_t(c.blue()) << 16);
}
