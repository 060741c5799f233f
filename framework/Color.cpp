#include "framework/Color.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace framework {

namespace {

struct SystemColorEntry {
    bool fromPalette;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    QRgb fallback;  // classic scheme value, used where the palette has no matching role
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;

// Windows system colour indexes 0..30 mapped onto the nearest palette roles.
const std::array<SystemColorEntry, 31> kSystemColors = {{
    {false, kActive, QPalette::NoRole, 0xC8C8C8},          // 0 scroll bar
    {false, kActive, QPalette::NoRole, 0x3A6EA5},          // 1 desktop
    {false, kActive, QPalette::NoRole, 0x000080},          // 2 active caption
    {false, kActive, QPalette::NoRole, 0x808080},          // 3 inactive caption
    {true, kActive, QPalette::Window, 0xD4D0C8},           // 4 menu
    {true, kActive, QPalette::Base, 0xFFFFFF},             // 5 window
    {false, kActive, QPalette::NoRole, 0x000000},          // 6 window frame
    {true, kActive, QPalette::WindowText, 0x000000},       // 7 menu text
    {true, kActive, QPalette::Text, 0x000000},             // 8 window text
    {false, kActive, QPalette::NoRole, 0xFFFFFF},          // 9 caption text
    {false, kActive, QPalette::NoRole, 0xD4D0C8},          // 10 active border
    {false, kActive, QPalette::NoRole, 0xD4D0C8},          // 11 inactive border
    {true, kActive, QPalette::Mid, 0x808080},              // 12 application workspace
    {true, kActive, QPalette::Highlight, 0x0A246A},        // 13 highlight
    {true, kActive, QPalette::HighlightedText, 0xFFFFFF},  // 14 highlighted text
    {true, kActive, QPalette::Button, 0xD4D0C8},           // 15 button face
    {true, kActive, QPalette::Dark, 0x808080},             // 16 button shadow
    {true, QPalette::Disabled, QPalette::Text, 0x808080},  // 17 grey text
    {true, kActive, QPalette::ButtonText, 0x000000},       // 18 button text
    {false, kActive, QPalette::NoRole, 0xD4D0C8},          // 19 inactive caption text
    {true, kActive, QPalette::Light, 0xFFFFFF},            // 20 button highlight
    {true, kActive, QPalette::Shadow, 0x404040},           // 21 3-D dark shadow
    {true, kActive, QPalette::Midlight, 0xD4D0C8},         // 22 3-D light
    {true, kActive, QPalette::ToolTipText, 0x000000},      // 23 tooltip text
    {true, kActive, QPalette::ToolTipBase, 0xFFFFE1},      // 24 tooltip background
    {false, kActive, QPalette::NoRole, 0xB5B5B5},          // 25 (unused index)
    {true, kActive, QPalette::Link, 0x0000FF},             // 26 hot-tracked item
    {false, kActive, QPalette::NoRole, 0xA6CAF0},          // 27 gradient active caption
    {false, kActive, QPalette::NoRole, 0xC0C0C0},          // 28 gradient inactive caption
    {true, kActive, QPalette::Highlight, 0x316AC5},        // 29 menu highlight
    {true, kActive, QPalette::Window, 0xD4D0C8},           // 30 menu bar
}};

QColor SystemQColor(std::uint32_t index)
{
    if (index >= kSystemColors.size())
        return QColor(Qt::black);
    const SystemColorEntry& entry = kSystemColors[index];
    if (entry.fromPalette && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(entry.group, entry.role);
    return QColor::fromRgb(entry.fallback);
}

}  // namespace

QColor ToQColor(TColor color)
{
    const auto value = static_cast<std::uint32_t>(color);
    if (IsSystemColor(color))
        return SystemQColor(value & 0xFFu);
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
        static_cast<int>((value >> 16) & 0xFFu));
}

TColor FromQColor(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return static_cast<TColor>(static_cast<std::uint32_t>(qRed(rgb))
        | (static_cast<std::uint32_t>(qGreen(rgb)) << 8) | (static_cast<std::uint32_t>(qBlue(rgb)) << 16));
}

}  // namespace framework
