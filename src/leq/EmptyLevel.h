#pragma once

// A chart point that holds no level carries the chart's null value in its place.
constexpr float EmptyLevel = 9999.0f;
