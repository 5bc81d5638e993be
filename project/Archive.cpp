#include "project/Archive.h"

#include <algorithm>
#include <bit>

#include <QCoreApplication>

#include "project/ArchiveText.h"

namespace {

// The reason a file cannot be read, with the byte offset where it was found.
std::string reasonAt(const QString& what, std::size_t offset)
{
    return QCoreApplication::translate("Archive", "%1（位置 %2）")
        .arg(what, QString::number(offset))
        .toStdString();
}

QString fromBytes(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

void ArchiveWriter::putLittleEndian(std::uint64_t value, int size)
{
    std::uint8_t bytes[8];
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
}

void ArchiveWriter::writeFloat(float value)
{
    writeUInt32(std::bit_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeDouble(double value)
{
    putLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void ArchiveWriter::writeString(std::string_view utf8)
{
    writeRawString(archive_text::utf8ToGbk(utf8));
}

void ArchiveWriter::writeRawString(std::string_view bytes)
{
    const std::size_t n = bytes.size();
    if (n < 0xFF) {
        putLittleEndian(n, 1);
    } else if (n < 0xFFFE) {
        putLittleEndian(0xFF, 1);
        writeUInt16(static_cast<std::uint16_t>(n));
    } else {
        putLittleEndian(0xFF, 1);
        writeUInt16(0xFFFF);
        writeUInt32(static_cast<std::uint32_t>(n));
    }
    writeBytes(bytes.data(), n);
}

void ArchiveWriter::writeCount(std::uint32_t count)
{
    if (count < archive_tags::kBigCount) {
        writeUInt16(static_cast<std::uint16_t>(count));
    } else {
        writeUInt16(archive_tags::kBigCount);
        writeUInt32(count);
    }
}

void ArchiveWriter::writeFont(const LogFont& font)
{
    const auto bytes = font.toBytes();
    writeBytes(bytes.data(), bytes.size());
}

void ArchiveWriter::writeBytes(const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + size);
}

void ArchiveWriter::writeNewObjectTag(ArchiveClass cls)
{
    std::uint32_t& classIndex = m_classIndex[static_cast<int>(cls)];
    if (classIndex == 0) {
        const std::string_view name = kArchiveClassNames[static_cast<int>(cls)];
        writeUInt16(archive_tags::kNewClass);
        writeUInt16(kArchiveSchema);
        writeUInt16(static_cast<std::uint16_t>(name.size()));
        writeBytes(name.data(), name.size());
        classIndex = m_nextIndex++;
    } else if (classIndex < archive_tags::kBigObject) {
        writeUInt16(static_cast<std::uint16_t>(archive_tags::kClassFlag | classIndex));
    } else {
        writeUInt16(archive_tags::kBigObject);
        writeUInt32(archive_tags::kBigClassFlag | classIndex);
    }
    ++m_nextIndex;
}

void ArchiveReader::need(std::size_t size) const
{
    if (size > remaining())
        throw ArchiveError(
            reasonAt(QCoreApplication::translate("Archive", "文件不完整，数据意外结束"), offset()));
}

std::uint64_t ArchiveReader::getLittleEndian(int size)
{
    need(static_cast<std::size_t>(size));
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<std::uint64_t>(m_pos[i]) << (8 * i);
    m_pos += size;
    return value;
}

float ArchiveReader::readFloat()
{
    return std::bit_cast<float>(readUInt32());
}

double ArchiveReader::readDouble()
{
    return std::bit_cast<double>(getLittleEndian(8));
}

std::string ArchiveReader::readString()
{
    const std::size_t start = offset();
    std::uint32_t n = static_cast<std::uint8_t>(getLittleEndian(1));
    if (n == 0xFF) {
        n = readUInt16();
        if (n == 0xFFFF)
            n = readUInt32();
    }
    if (n > remaining())
        throw ArchiveError(
            reasonAt(QCoreApplication::translate("Archive", "文件不完整，字符串长度超出文件末尾"), start));
    const std::string_view bytes(reinterpret_cast<const char*>(m_pos), n);
    m_pos += n;
    return archive_text::gbkToUtf8(bytes);
}

std::uint32_t ArchiveReader::readCount(std::size_t minElementSize)
{
    const std::size_t start = offset();
    std::uint32_t n = readUInt16();
    if (n == archive_tags::kBigCount)
        n = readUInt32();
    if (static_cast<std::uint64_t>(n) * minElementSize > remaining())
        throw ArchiveError(reasonAt(QCoreApplication::translate("Archive", "元素数目超出了文件长度"), start));
    return n;
}

std::uint32_t ArchiveReader::readBlockCount(std::size_t minElementSize)
{
    const std::size_t start = offset();
    const std::int32_t n = readInt();
    if (n < 0)
        throw ArchiveError(reasonAt(QCoreApplication::translate("Archive", "数目为负数"), start));
    if (static_cast<std::uint64_t>(n) * minElementSize > remaining())
        throw ArchiveError(reasonAt(QCoreApplication::translate("Archive", "数目超出了文件长度"), start));
    return static_cast<std::uint32_t>(n);
}

LogFont ArchiveReader::readFont()
{
    need(LogFont::kRecordSize);
    const LogFont font = LogFont::fromBytes(m_pos);
    m_pos += LogFont::kRecordSize;
    return font;
}

ArchiveClass ArchiveReader::classAt(std::uint32_t index) const
{
    const auto it = std::lower_bound(m_classes.begin(), m_classes.end(), index,
                                     [](const auto& entry, std::uint32_t i) { return entry.first < i; });
    if (it == m_classes.end() || it->first != index)
        throw ArchiveError(reasonAt(QCoreApplication::translate("Archive", "对象的类型引用无效"), offset()));
    return it->second;
}

void ArchiveReader::readNewObjectTag(ArchiveClass expected)
{
    const std::size_t start = offset();
    const std::uint16_t tag = readUInt16();
    ArchiveClass cls;
    if (tag == archive_tags::kNewClass) {
        const std::uint16_t schema = readUInt16();
        const std::uint16_t length = readUInt16();
        need(length);
        const std::string_view name(reinterpret_cast<const char*>(m_pos), length);
        m_pos += length;
        const auto known = std::find(kArchiveClassNames.begin(), kArchiveClassNames.end(), name);
        if (known == kArchiveClassNames.end())
            throw ArchiveError(reasonAt(
                QCoreApplication::translate("Archive", "未知的对象类型“%1”").arg(fromBytes(name)), start));
        if (schema != kArchiveSchema)
            throw ArchiveError(
                reasonAt(QCoreApplication::translate("Archive", "对象类型“%1”的版本号 %2 不受支持")
                             .arg(fromBytes(name), QString::number(schema)),
                         start));
        cls = static_cast<ArchiveClass>(known - kArchiveClassNames.begin());
        m_classes.emplace_back(m_nextIndex++, cls);
    } else if (tag == archive_tags::kNull) {
        throw ArchiveError(reasonAt(QCoreApplication::translate("Archive", "对象列表中有空元素"), start));
    } else if (tag == archive_tags::kBigObject) {
        const std::uint32_t value = readUInt32();
        if ((value & archive_tags::kBigClassFlag) == 0)
            throw ArchiveError(
                reasonAt(QCoreApplication::translate("Archive", "同一对象在文件中出现了多次"), start));
        cls = classAt(value & ~archive_tags::kBigClassFlag);
    } else if (tag & archive_tags::kClassFlag) {
        cls = classAt(tag & ~archive_tags::kClassFlag);
    } else {
        throw ArchiveError(
            reasonAt(QCoreApplication::translate("Archive", "同一对象在文件中出现了多次"), start));
    }
    if (cls != expected)
        throw ArchiveError(
            reasonAt(QCoreApplication::translate("Archive", "对象列表中出现了类型不符的对象“%1”")
                         .arg(fromBytes(kArchiveClassNames[static_cast<int>(cls)])),
                     start));
    ++m_nextIndex;
}
