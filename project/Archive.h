#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/LogFont.h"

// The binary archive of project files: little-endian primitives without
// padding, length-prefixed GBK strings, counts with a 0xFFFF escape, and the
// file-wide table of classes and objects that tags the elements of object
// arrays.

// The record classes an object array can hold, in the order of kArchiveClassNames.
enum class ArchiveClass : std::uint8_t {
    StatePoint,
    ProcessLine,
    HhrLine,
    Text,
    ComfortArea,
    ParamPoint,
};
inline constexpr int kArchiveClassCount = 6;
inline constexpr std::array<std::string_view, kArchiveClassCount> kArchiveClassNames = {
    "CStatePoint", "CGuoChengXian", "CReShiBiXian", "CCommentString", "CComfortArea", "CParamPoint"};
// Every record class is registered with this schema number.
inline constexpr std::uint16_t kArchiveSchema = 1;

namespace archive_tags {
inline constexpr std::uint16_t kNull = 0x0000;
inline constexpr std::uint16_t kBigObject = 0x7FFF; // a 4-byte index or class follows
inline constexpr std::uint16_t kClassFlag = 0x8000; // 2-byte tag of a known class
inline constexpr std::uint16_t kNewClass = 0xFFFF;  // a class introduced by name
inline constexpr std::uint32_t kBigClassFlag = 0x80000000u;
inline constexpr std::uint16_t kBigCount = 0xFFFF;
} // namespace archive_tags

// Why a read stopped: the reason text (UTF-8) for the user's message.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends the encodings to a growing byte buffer.
class ArchiveWriter {
public:
    explicit ArchiveWriter(std::size_t expectedSize = 0) { m_bytes.reserve(expectedSize); }

    void writeInt(std::int32_t value) { putLittleEndian(static_cast<std::uint32_t>(value), 4); }
    void writeUInt16(std::uint16_t value) { putLittleEndian(value, 2); }
    void writeUInt32(std::uint32_t value) { putLittleEndian(value, 4); }
    // The float's bits as they are (NaN payloads included).
    void writeFloat(float value);
    void writeDouble(double value);
    // A UTF-8 string as GBK with its length prefix.
    void writeString(std::string_view utf8);
    // A string already in file bytes.
    void writeRawString(std::string_view bytes);
    void writeCount(std::uint32_t count);
    void writeFont(const LogFont& font);
    void writeBytes(const void* data, std::size_t size);

    // The tag of a new element of an object array; registers the class on its
    // first use and the element itself in the file's table.
    void writeNewObjectTag(ArchiveClass cls);
    void writeNullTag() { writeUInt16(archive_tags::kNull); }

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> takeBytes() { return std::move(m_bytes); }

private:
    void putLittleEndian(std::uint64_t value, int size);

    std::vector<std::uint8_t> m_bytes;
    std::array<std::uint32_t, kArchiveClassCount> m_classIndex{}; // 0 = not written yet
    std::uint32_t m_nextIndex = 1;                                // 0 means null
};

// Reads the encodings from a byte span; every read is bounds-checked and
// throws ArchiveError when the bytes run out or do not make sense.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes)
        : m_begin(bytes.data()), m_pos(bytes.data()), m_end(bytes.data() + bytes.size())
    {
    }

    std::int32_t readInt() { return static_cast<std::int32_t>(getLittleEndian(4)); }
    std::uint16_t readUInt16() { return static_cast<std::uint16_t>(getLittleEndian(2)); }
    std::uint32_t readUInt32() { return static_cast<std::uint32_t>(getLittleEndian(4)); }
    float readFloat();
    double readDouble();
    // A length-prefixed GBK string, as UTF-8.
    std::string readString();
    // A count of elements each at least minElementSize bytes long; refused at
    // once when the remaining bytes cannot hold that many.
    std::uint32_t readCount(std::size_t minElementSize);
    // A 4-byte int count of blocks (systems, rooms), refused when negative or
    // beyond what the remaining bytes can hold.
    std::uint32_t readBlockCount(std::size_t minElementSize);
    LogFont readFont();

    // Reads the tag of an element of an object array of class expected and
    // registers the new element; refuses null elements, back-references to
    // earlier elements, unknown classes, other schemas and elements of another
    // class.
    void readNewObjectTag(ArchiveClass expected);

    // Up to size bytes from the current position, without reading them.
    std::span<const std::uint8_t> peek(std::size_t size) const
    {
        return {m_pos, size < remaining() ? size : remaining()};
    }

    std::size_t offset() const { return static_cast<std::size_t>(m_pos - m_begin); }
    std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_pos); }

private:
    void need(std::size_t size) const;
    std::uint64_t getLittleEndian(int size);
    ArchiveClass classAt(std::uint32_t index) const;

    const std::uint8_t* m_begin;
    const std::uint8_t* m_pos;
    const std::uint8_t* m_end;
    // The class entries of the table, in ascending index order; objects only
    // advance the index counter.
    std::vector<std::pair<std::uint32_t, ArchiveClass>> m_classes;
    std::uint32_t m_nextIndex = 1;
};
