#include "store/RecordChunkCodec.h"

#include "store/Utf8Text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

class BlobEncoder {
public:
    explicit BlobEncoder(std::size_t expectedSize) { m_bytes.reserve(expectedSize); }

    void putUnsigned(std::uint64_t value)
    {
        while (value >= 0x80) {
            m_bytes += static_cast<char>(value | 0x80);
            value >>= 7;
        }
        m_bytes += static_cast<char>(value);
    }

    // The difference of two unsigned fields, so that a small step back stays small.
    void putDelta(std::uint64_t value, std::uint64_t previous)
    {
        const auto delta = static_cast<std::int64_t>(value - previous);
        putUnsigned((static_cast<std::uint64_t>(delta) << 1)
                    ^ static_cast<std::uint64_t>(delta >> 63));
    }

    void putDouble(double value)
    {
        char raw[sizeof value];
        std::memcpy(raw, &value, sizeof value);
        m_bytes.append(raw, sizeof raw);
    }

    void putText(std::string_view text)
    {
        putUnsigned(text.size());
        m_bytes.append(text);
    }

    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

class BlobDecoder {
public:
    BlobDecoder(const void* data, std::size_t size)
        : m_next(static_cast<const unsigned char*>(data))
        , m_end(m_next + size)
    {
    }

    bool getUnsigned(std::uint64_t& value)
    {
        value = 0;
        for (int shift = 0; shift < 64 && m_next != m_end; shift += 7) {
            const unsigned char byte = *m_next++;
            value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (byte < 0x80)
                return true;
        }
        return false;
    }

    bool getDelta(std::uint64_t& value, std::uint64_t previous)
    {
        std::uint64_t zigzag = 0;
        if (!getUnsigned(zigzag))
            return false;
        value = previous + ((zigzag >> 1) ^ (~(zigzag & 1) + 1));
        return true;
    }

    template <class Field>
    bool getDeltaField(Field& field, Field previous)
    {
        std::uint64_t value = 0;
        if (!getDelta(value, static_cast<std::uint64_t>(static_cast<std::int64_t>(previous))))
            return false;
        field = static_cast<Field>(static_cast<std::int64_t>(value));
        return true;
    }

    bool getDouble(double& value)
    {
        if (static_cast<std::size_t>(m_end - m_next) < sizeof value)
            return false;
        std::memcpy(&value, m_next, sizeof value);
        m_next += sizeof value;
        return true;
    }

    bool getText(std::string_view& text)
    {
        std::uint64_t size = 0;
        if (!getUnsigned(size) || size > static_cast<std::uint64_t>(m_end - m_next))
            return false;
        text = std::string_view(reinterpret_cast<const char*>(m_next), static_cast<std::size_t>(size));
        m_next += size;
        return true;
    }

    bool atEnd() const { return m_next == m_end; }

private:
    const unsigned char* m_next;
    const unsigned char* m_end;
};

template <class Field>
std::uint64_t widened(Field field)
{
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(field));
}

// Durations are stored as end - start, which is small even where start jumps.
void encodeRecord(BlobEncoder& out, const SampleRecord& record, const SampleRecord& previous)
{
    out.putDelta(widened(record.row), widened(previous.row));
    out.putDelta(record.start, previous.start);
    out.putDelta(record.end - record.start, 0);
    out.putUnsigned(record.count);
    out.putDelta(widened(record.instanceIndex), widened(previous.instanceIndex));
}

bool decodeRecord(BlobDecoder& in, SampleRecord& record, const SampleRecord& previous)
{
    std::uint64_t length = 0;
    std::uint64_t count = 0;
    if (!in.getDeltaField(record.row, previous.row) || !in.getDelta(record.start, previous.start)
        || !in.getDelta(length, 0) || !in.getUnsigned(count)
        || !in.getDeltaField(record.instanceIndex, previous.instanceIndex))
        return false;
    record.end = record.start + length;
    record.count = static_cast<std::uint32_t>(count);
    return true;
}

void encodeRecord(BlobEncoder& out, const BandObjectRecord& record,
                  const BandObjectRecord& previous)
{
    out.putDelta(widened(record.row), widened(previous.row));
    out.putDelta(record.start, previous.start);
    out.putDelta(record.end - record.start, 0);
    out.putDelta(widened(record.value), widened(previous.value));
    out.putDelta(widened(record.instanceIndex), widened(previous.instanceIndex));
    out.putDelta(widened(record.sourceRow), widened(previous.sourceRow));
}

bool decodeRecord(BlobDecoder& in, BandObjectRecord& record, const BandObjectRecord& previous)
{
    std::uint64_t length = 0;
    if (!in.getDeltaField(record.row, previous.row) || !in.getDelta(record.start, previous.start)
        || !in.getDelta(length, 0) || !in.getDeltaField(record.value, previous.value)
        || !in.getDeltaField(record.instanceIndex, previous.instanceIndex)
        || !in.getDeltaField(record.sourceRow, previous.sourceRow))
        return false;
    record.end = record.start + length;
    return true;
}

void encodeRecord(BlobEncoder& out, const TimedValueRecord& record,
                  const TimedValueRecord& previous)
{
    out.putDelta(widened(record.instanceIndex), widened(previous.instanceIndex));
    out.putDelta(record.tick, previous.tick);
    out.putDouble(record.value);
}

bool decodeRecord(BlobDecoder& in, TimedValueRecord& record, const TimedValueRecord& previous)
{
    return in.getDeltaField(record.instanceIndex, previous.instanceIndex)
        && in.getDelta(record.tick, previous.tick) && in.getDouble(record.value);
}

// An instance of an attribute table: its cell count, then each cell as a kind byte and its value.
// Instances share nothing worth a difference, so the previous one is not used. The kinds are
// numbered as StoredValue's alternatives, so a cell's index() is its kind.
enum class CellKind : unsigned char { absent, integer, real, text };

// Text that is not ASCII goes through the wide form, so that a malformed sequence is stored as
// U+FFFD whether the text came as UTF-8 or wide.
void putUtf8Cell(BlobEncoder& out, std::string_view text)
{
    out.putUnsigned(static_cast<std::uint64_t>(CellKind::text));
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        out.putText(text);
    else
        out.putText(Utf8Text::fromWide(Utf8Text::toWide(text)));
}

void encodeRecord(BlobEncoder& out, const AttributeInstance& cells, const AttributeInstance&)
{
    out.putUnsigned(cells.size());
    for (const StoredValue& cell : cells) {
        out.putUnsigned(static_cast<std::uint64_t>(cell.index()));
        if (const auto* integer = std::get_if<std::int64_t>(&cell))
            out.putDelta(static_cast<std::uint64_t>(*integer), 0);
        else if (const auto* real = std::get_if<double>(&cell))
            out.putDouble(*real);
        else if (const auto* text = std::get_if<std::wstring>(&cell))
            out.putText(Utf8Text::fromWide(*text));
    }
}

bool decodeRecord(BlobDecoder& in, AttributeInstance& cells, const AttributeInstance&)
{
    std::uint64_t size = 0;
    // Every cell takes at least its kind byte.
    if (!in.getUnsigned(size) || size > 1u << 20)
        return false;
    cells.resize(static_cast<std::size_t>(size));
    for (StoredValue& cell : cells) {
        std::uint64_t kind = 0;
        if (!in.getUnsigned(kind))
            return false;
        switch (static_cast<CellKind>(kind)) {
        case CellKind::absent:
            break;
        case CellKind::integer: {
            std::uint64_t value = 0;
            if (!in.getDelta(value, 0))
                return false;
            cell = static_cast<std::int64_t>(value);
            break;
        }
        case CellKind::real: {
            double value = 0;
            if (!in.getDouble(value))
                return false;
            cell = value;
            break;
        }
        case CellKind::text: {
            std::string_view text;
            if (!in.getText(text))
                return false;
            cell = Utf8Text::toWide(text);
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

}  // namespace

std::string RecordChunkCodec::encodeTexts(const std::vector<TextColumnRecord>& columns, std::size_t first,
                                          std::size_t count)
{
    std::size_t bytes = 0;
    for (const TextColumnRecord& column : columns)
        bytes += count == 0 ? 0 : column.ends[first + count - 1] - (first == 0 ? 0 : column.ends[first - 1]);
    BlobEncoder out(bytes + count * columns.size() * 2 + count);
    for (std::size_t instance = first; instance < first + count; ++instance) {
        out.putUnsigned(columns.size());
        for (const TextColumnRecord& column : columns) {
            const std::uint64_t begin = instance == 0 ? 0 : column.ends[instance - 1];
            putUtf8Cell(out, std::string_view(column.utf8).substr(begin, column.ends[instance] - begin));
        }
    }
    return out.take();
}

std::size_t RecordChunkCodec::instanceCount(const AttributeTableRecord& table)
{
    return table.texts.empty() ? table.instances.size() : table.texts.front().ends.size();
}

template <class Record>
std::string RecordChunkCodec::encode(const Record* records, std::size_t count)
{
    BlobEncoder out(count * 8);
    const Record first{};
    const Record* previous = &first;
    for (std::size_t i = 0; i < count; ++i) {
        encodeRecord(out, records[i], *previous);
        previous = &records[i];
    }
    return out.take();
}

template <class Record>
bool RecordChunkCodec::decode(const void* data, std::size_t size, std::size_t count,
                              std::vector<Record>& out)
{
    return decodeRuns<Record>(data, size, count, count, out, [](std::vector<Record>&) { return true; });
}

template <class Record>
bool RecordChunkCodec::decodeRuns(const void* data, std::size_t size, std::size_t count, std::size_t runLength,
                                  std::vector<Record>& out, const std::function<bool(std::vector<Record>&)>& takeRun)
{
    BlobDecoder in(data, size);
    // Every record takes at least one byte per field, so a sane count never exceeds the size.
    if (count > size || (count > 0 && runLength == 0))
        return false;
    Record previous{};   // the record before the run, which takeRun may have taken away
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, runLength);
        for (std::size_t i = 0; i < n; ++i) {
            Record record;
            if (!decodeRecord(in, record, i == 0 ? previous : out.back()))
                return false;
            out.push_back(std::move(record));
        }
        done += n;
        if (done < count)
            previous = out.back();
        if (!takeRun(out))
            return false;
    }
    return in.atEnd();
}

// The record types are hidden, and clang gives an instantiation over hidden types hidden
// visibility unless it is asked for explicitly.
template SARVIK_API std::string RecordChunkCodec::encode(const SampleRecord*, std::size_t);
template SARVIK_API std::string RecordChunkCodec::encode(const BandObjectRecord*, std::size_t);
template SARVIK_API std::string RecordChunkCodec::encode(const TimedValueRecord*, std::size_t);
template SARVIK_API std::string RecordChunkCodec::encode(const AttributeInstance*, std::size_t);
template SARVIK_API bool RecordChunkCodec::decode(const void*, std::size_t, std::size_t,
                                                  std::vector<SampleRecord>&);
template SARVIK_API bool RecordChunkCodec::decode(const void*, std::size_t, std::size_t,
                                                  std::vector<BandObjectRecord>&);
template SARVIK_API bool RecordChunkCodec::decode(const void*, std::size_t, std::size_t,
                                                  std::vector<TimedValueRecord>&);
template SARVIK_API bool RecordChunkCodec::decode(const void*, std::size_t, std::size_t,
                                                  std::vector<AttributeInstance>&);
template SARVIK_API bool RecordChunkCodec::decodeRuns(const void*, std::size_t, std::size_t, std::size_t,
                                                      std::vector<SampleRecord>&,
                                                      const std::function<bool(std::vector<SampleRecord>&)>&);
template SARVIK_API bool RecordChunkCodec::decodeRuns(const void*, std::size_t, std::size_t, std::size_t,
                                                      std::vector<BandObjectRecord>&,
                                                      const std::function<bool(std::vector<BandObjectRecord>&)>&);
template SARVIK_API bool RecordChunkCodec::decodeRuns(const void*, std::size_t, std::size_t, std::size_t,
                                                      std::vector<TimedValueRecord>&,
                                                      const std::function<bool(std::vector<TimedValueRecord>&)>&);
template SARVIK_API bool RecordChunkCodec::decodeRuns(const void*, std::size_t, std::size_t, std::size_t,
                                                      std::vector<AttributeInstance>&,
                                                      const std::function<bool(std::vector<AttributeInstance>&)>&);

}  // namespace store
}  // namespace dd_sarvik_2_2
