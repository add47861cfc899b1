#pragma once
#include <QString>

#include <cstdint>
#include <vector>

// The path of a file in tests/data.
QString TestDataPath(const char* name);

// Reads a byte image kept as commented hex text in tests/data (the form HexImageText.h
// describes). A malformed line fails the running test.
std::vector<std::uint8_t> ReadHexImage(const char* name);
