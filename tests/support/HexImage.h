#pragma once
#include <QString>

#include <cstdint>
#include <vector>

// The path of a file in tests/data.
QString TestDataPath(const char* name);

// Reads a byte image kept as commented hex text in tests/data. Per line:
//   # ...            a comment, also after bytes
//   A5 5A 00 ...     bytes in hex, two digits each
//   @256             the next byte goes to offset 256 (decimal); never backwards
//   repeat 113: 03 84   the bytes after the colon, 113 times
//   fill FF          the byte that fills the gaps left by @ and size from here on (00 at first)
//   size 288         the image is 288 bytes long
// A malformed line fails the running test.
std::vector<std::uint8_t> ReadHexImage(const char* name);
