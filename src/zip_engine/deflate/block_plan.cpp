#include "zip_engine/deflate/block_plan.h"

#include "zip_engine/deflate/deflate_job.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace Deflate {

namespace {

// Each block is judged in slices of this size (its last slice takes the remainder); a slice
// that deflate could not shrink is written as stored blocks without running deflate on it.
constexpr qint64 ProbeSliceSize = 65536;
// Bits per byte above which Huffman coding of single bytes saves under 2%.
constexpr double StoredEntropyBits = 7.84;
// A slice of which 1 byte in this many repeats earlier data is left to deflate.
constexpr qint64 RepeatShareDivisor = 100;
// Deflate's matches: 4 bytes and longer are sought (3-byte ones save next to nothing),
// at most 258 bytes long and as far back as zlib looks with a 32 KiB window.
constexpr int MinRepeat = 4;
constexpr qint64 MaxRepeat = 258;
constexpr qint64 MaxRepeatDistance = DictionarySize - 262;
constexpr int RepeatHashBits = 15;
// A file's first slice shorter than this is always deflated.
constexpr qint64 MinStoredFileSize = 512;
// Bytes that zlib's first block surely covers (it holds 16383 symbols or more), and how many
// candidate bytes are tried when proving that zlib would call a file binary.
constexpr qint64 FirstBlockBytes = 16000;
constexpr int BinaryTries = 16;

// How a block is cut into slices to be judged; the last slice takes the remainder, so that
// no slice is too short for its byte statistics to mean something.
struct SliceGrid {
    SliceGrid(qint64 blockBegin, qint64 blockEnd)
        : begin(blockBegin), end(blockEnd),
          count(std::max<qint64>(1, (blockEnd - blockBegin) / ProbeSliceSize)) {}
    qint64 sliceBegin(qint64 i) const { return begin + i * ProbeSliceSize; }
    qint64 sliceEnd(qint64 i) const { return i + 1 == count ? end : sliceBegin(i + 1); }
    qint64 sliceOf(qint64 position) const {
        return std::min(count - 1, (position - begin) / ProbeSliceSize);
    }

    qint64 begin;
    qint64 end;
    qint64 count;
};

// The entropy above which a slice is stored. Counted over few bytes, even random data shows
// less than 8 bits per byte (about 255 / (2 n ln 2) less); a file's first slice, which may be
// a whole small file, is allowed that shortfall. Other slices are 64 KiB or more.
double storedEntropyBits(qint64 size, bool filesFirst) {
    if (!filesFirst)
        return StoredEntropyBits;
    if (size < MinStoredFileSize)
        return 9; // never: too short to judge
    return StoredEntropyBits - 255.0 / (2.0 * double(size) * std::log(2.0));
}

// The bytes zlib counts as a sign of binary data when they occur as literals.
bool isBinaryByte(uchar byte) {
    return byte <= 6 || (byte >= 14 && byte <= 25) || (byte >= 28 && byte <= 31);
}

// True when one of the 3-byte strings that hold the byte at P also starts somewhere before.
bool coveredByEarlierString(const uchar* data, qint64 size, qint64 p) {
    for (qint64 start = std::max<qint64>(0, p - 2); start <= p && start + 3 <= size; ++start) {
        for (qint64 earlier = 0; earlier < start; ++earlier) {
            if (std::memcmp(data + earlier, data + start, 3) == 0)
                return true;
        }
    }
    return false;
}

// Order-0 entropy of the bytes, in bits per byte: what Huffman coding of single bytes,
// deflate's literals, could get down to.
double entropyOf(const uchar* data, qint64 size) {
    std::array<qint64, 256> counts{};
    for (qint64 i = 0; i < size; ++i)
        ++counts[data[i]];
    double bits = 0;
    for (qint64 count : counts) {
        if (count == 0)
            continue;
        const double p = double(count) / double(size);
        bits -= p * std::log2(p);
    }
    return bits;
}

quint32 read32(const uchar* data) {
    quint32 value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

quint32 repeatHash(quint32 fourBytes, int bits) {
    return (fourBytes * 2654435761u) >> (32 - bits);
}

qint64 repeatLength(const uchar* data, qint64 earlier, qint64 position, qint64 size) {
    const qint64 limit = std::min(MaxRepeat, size - position);
    qint64 length = MinRepeat;
    while (length < limit && data[earlier + length] == data[position + length])
        ++length;
    return length;
}

// The last place a 4-byte hash was seen, with the bytes themselves: comparing with these
// rather than reading the earlier place again makes the scan several times faster.
struct SeenBytes {
    quint32 place = 0; // a position + 1; 0 for none
    quint32 bytes = 0;
};

// Bytes of each slice that repeat data at most deflate's distance back, found greedily by
// a fast matcher that remembers the last place of every 4-byte hash: a rough but cheap
// measure of what deflate's matches could save. The 32 KiB before the block count as
// earlier data, as they do for deflate.
std::vector<qint64> repeatedBytes(const QByteArray& input, const SliceGrid& grid) {
    const auto* data = reinterpret_cast<const uchar*>(input.constData());
    const qint64 size = input.size();
    // A small input (a small file) gets a table to match, which costs less to clear.
    const int bits = std::clamp(int(std::bit_width(quint64(size))) - 1, 8, RepeatHashBits);
    std::vector<SeenBytes> seen(size_t(1) << bits);
    for (qint64 p = 0; p < grid.begin && p + MinRepeat <= size; ++p)
        seen[repeatHash(read32(data + p), bits)] = SeenBytes{quint32(p + 1), read32(data + p)};
    std::vector<qint64> repeated(size_t(grid.count), 0);
    for (qint64 p = grid.begin; p + MinRepeat <= size;) {
        const quint32 fourBytes = read32(data + p);
        SeenBytes& slot = seen[repeatHash(fourBytes, bits)];
        const qint64 earlier = qint64(slot.place) - 1;
        const bool match =
            earlier >= 0 && slot.bytes == fourBytes && p - earlier <= MaxRepeatDistance;
        slot = SeenBytes{quint32(p + 1), fourBytes};
        const qint64 length = match ? repeatLength(data, earlier, p, size) : 1;
        if (match)
            repeated[size_t(grid.sliceOf(p))] += length;
        p += length;
    }
    return repeated;
}

// True when zlib, deflating the file from its start, would call it binary: it judges on the
// literals of its first block, and one of the bytes it counts as binary (0-6, 14-25, 28-31)
// is certain to be a literal there when no 3-byte string around it occurs earlier, since
// every match covers such a string. The first few such bytes are tried.
bool zlibCallsBinary(const uchar* data, qint64 size) {
    // zlib's first block holds 16383 symbols at least, each standing for a byte or more.
    const qint64 limit = std::min(size, FirstBlockBytes);
    int tried = 0;
    for (qint64 p = 0; p < limit && tried < BinaryTries; ++p) {
        if (!isBinaryByte(data[p]))
            continue;
        ++tried;
        if (!coveredByEarlierString(data, size, p))
            return true;
    }
    return false;
}

// Which slices deflate could not shrink meaningfully: single bytes as good as random
// (Huffman coding would save under 2%) and hardly any repeats. A file's first slice is
// stored only when zlib would call the file binary anyway, since zlib's text-or-binary
// verdict on the file's start is what the entry records.
std::vector<bool> storableSlices(const QByteArray& input, const SliceGrid& grid) {
    const auto* data = reinterpret_cast<const uchar*>(input.constData());
    std::vector<bool> stored(size_t(grid.count), false);
    bool any = false;
    for (qint64 i = 0; i < grid.count; ++i) {
        const qint64 begin = grid.sliceBegin(i);
        stored[size_t(i)] = entropyOf(data + begin, grid.sliceEnd(i) - begin) >
                            storedEntropyBits(grid.sliceEnd(i) - begin, begin == 0);
        any = any || stored[size_t(i)];
    }
    // Repeats are looked for only where the byte statistics leave the question open.
    if (!any)
        return stored;
    const std::vector<qint64> repeated = repeatedBytes(input, grid);
    for (qint64 i = 0; i < grid.count; ++i) {
        const qint64 length = grid.sliceEnd(i) - grid.sliceBegin(i);
        if (repeated[size_t(i)] * RepeatShareDivisor >= length)
            stored[size_t(i)] = false;
    }
    if (grid.begin == 0 && stored.front())
        stored.front() = zlibCallsBinary(data, input.size());
    return stored;
}

} // namespace

std::vector<Segment> planSegments(const QByteArray& input, qint64 primeSize, int level) {
    const SliceGrid grid(primeSize, input.size());
    // At level 0 zlib stores everything itself; a level zlib refuses is left for it to report.
    const bool deflating = level == Z_DEFAULT_COMPRESSION || (level >= 1 && level <= 9);
    if (!deflating)
        return {Segment{grid.begin, grid.end, false}};
    const std::vector<bool> stored = storableSlices(input, grid);
    std::vector<Segment> segments;
    for (qint64 i = 0; i < grid.count; ++i) {
        if (!segments.empty() && segments.back().stored == stored[size_t(i)])
            segments.back().end = grid.sliceEnd(i);
        else
            segments.push_back(Segment{grid.sliceBegin(i), grid.sliceEnd(i), stored[size_t(i)]});
    }
    return segments;
}

} // namespace Deflate
