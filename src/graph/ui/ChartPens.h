#pragma once
#include <QColor>
#include <QPen>

#include <cstdint>

// A stored colour (alpha, blue, green, red from the top byte down) as a QColor and back.
QColor ColorFromStored(std::uint32_t stored);
std::uint32_t StoredFromColor(const QColor& color);

// The pen of a subset's line type; monochrome draws every subset in black.
QPen SubsetPen(std::uint32_t color, std::int32_t lineType, bool monochrome);
// The pen of the grid for a grid style; Qt::NoPen for no grid.
QPen GridPen(std::int32_t gridStyle);
