#pragma once
#include <QIcon>

// The graph window's tool bar pictures, drawn rather than shipped as artwork.
enum class ToolIcon { Statistic, Cursors, Pointer, Cross, Text, Erase, Color, Monochrome, Clear };

QIcon MakeToolIcon(ToolIcon icon);
