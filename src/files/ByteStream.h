#pragma once
#include <QByteArray>
#include <QString>

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "stored blocks are little-endian and copied as they are");

// Appends little-endian numbers, length-prefixed UTF-8 texts and whole arrays.
class ByteWriter {
public:
    template <typename T>
    void Put(T value)
    {
        static_assert(std::is_arithmetic_v<T>);
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void PutBool(bool value) { Put<std::uint8_t>(value ? 1 : 0); }
    void PutText(const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        Put<std::uint32_t>(static_cast<std::uint32_t>(utf8.size()));
        bytes.append(utf8);
    }
    template <typename T>
    void PutArray(const std::vector<T>& values)
    {
        static_assert(std::is_arithmetic_v<T>);
        bytes.append(reinterpret_cast<const char*>(values.data()),
                     static_cast<qsizetype>(values.size() * sizeof(T)));
    }
    QByteArray bytes;
};

// Reads what ByteWriter wrote; every read checks the bytes left first. After a failed
// read the reader stays failed and yields zeros, so a caller checks Ok() once at the end.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& block) : data(block.constData()), left(block.size()) {}

    bool Ok() const { return ok; }
    qsizetype Left() const { return left; }

    template <typename T>
    T Get()
    {
        static_assert(std::is_arithmetic_v<T>);
        T value{};
        if (Take(sizeof value))
            std::memcpy(&value, data - sizeof value, sizeof value);
        return value;
    }
    bool GetBool() { return Get<std::uint8_t>() != 0; }
    QString GetText()
    {
        const auto size = Get<std::uint32_t>();
        if (!ok || size > static_cast<std::uint64_t>(left))
            return Fail(), QString();
        const char* start = data;
        Take(size);
        return QString::fromUtf8(start, static_cast<qsizetype>(size));
    }
    // Reads count values; fails without allocating when the block is too short.
    template <typename T>
    bool GetArray(std::vector<T>& values, std::uint64_t count)
    {
        static_assert(std::is_arithmetic_v<T>);
        if (!ok || count > static_cast<std::uint64_t>(left) / sizeof(T))
            return Fail(), false;
        values.resize(count);
        if (count > 0)
            std::memcpy(values.data(), data, count * sizeof(T));
        Take(static_cast<qsizetype>(count * sizeof(T)));
        return true;
    }
    void Fail() { ok = false; left = 0; }

private:
    bool Take(qsizetype size)
    {
        if (!ok || size > left) {
            Fail();
            return false;
        }
        data += size;
        left -= size;
        return true;
    }

    const char* data;
    qsizetype left;
    bool ok = true;
};
