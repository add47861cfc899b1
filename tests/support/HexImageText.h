#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Reads a byte image written as commented hex text. Per line:
//   # ...            a comment, also after bytes
//   A5 5A 00 ...     bytes in hex, two digits each
//   @256             the next byte goes to offset 256 (decimal); never backwards
//   repeat 113: 03 84   the bytes after the colon, 113 times
//   fill FF          the byte that fills the gaps left by @ and size from here on (00 at first)
//   size 288         the image is 288 bytes long
// Nothing for a malformed line, with the line's number and text in *error.
std::optional<std::vector<std::uint8_t>> ParseHexImage(const QByteArray& text, QString* error);
