#include "zip_engine/deflate/block_plan.h"

#include "zip_engine/deflate/deflate_job.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
constexpr int KeptTableBits = 12;
// The quick look for repeats visits only anchors: positions where two neighbouring bytes add
// up to AnchorSpacing - 1 modulo AnchorSpacing, one in AnchorSpacing in near-random data.
// Being chosen by the bytes themselves, a repeat holds its anchors where the original does,
// so any repeat much longer than AnchorSpacing is found, however far back it points.
constexpr int AnchorSpacing = 16;
constexpr int AnchorHashBits = 12;
// The quick look leaves the block to the full scan as soon as a slice that could be stored
// shows more than a chance repeat, or fewer anchors than 1 byte in this many (bytes not spread as
// in random data): only a block without real repeats is settled by it alone. Short blocks (a small
// file) always get the full scan, which costs little there.
constexpr qint64 SparseAnchorDivisor = 4 * AnchorSpacing;
// Random data shows a chance 4-byte repeat at an anchor in about one block in three; a
// slice with no more repeated bytes than this counts as showing none.
constexpr qint64 ChanceRepeatBytes = 4 * MinRepeat;
constexpr qint64 MinQuickLookSize = ProbeSliceSize;
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
    // Four tables counted in turn: neighbouring equal bytes would otherwise wait on each
    // other's increment of the same counter.
    std::array<std::array<quint32, 256>, 4> part{};
    qint64 i = 0;
    for (; i + 4 <= size; i += 4) {
        ++part[0][data[i]];
        ++part[1][data[i + 1]];
        ++part[2][data[i + 2]];
        ++part[3][data[i + 3]];
    }
    for (; i < size; ++i)
        ++part[0][data[i]];
    double bits = 0;
    for (int b = 0; b < 256; ++b) {
        const qint64 count = qint64(part[0][b]) + part[1][b] + part[2][b] + part[3][b];
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

// True when so many of a slice's bytes repeat earlier data that deflate is left to it.
bool repeatsEnough(qint64 repeated, qint64 sliceLength) {
    return repeated * RepeatShareDivisor >= sliceLength;
}

// Bytes of each slice that repeat data at most deflate's distance back, found greedily by
// a fast matcher that remembers the last place of every 4-byte hash: a rough but cheap
// measure of what deflate's matches could save. The 32 KiB before the block count as
// earlier data, as they do for deflate. The scan ends once every one of the Candidates
// repeats enough to be deflated: nothing found further on could change that.
std::vector<qint64> repeatedBytes(const QByteArray& input, const SliceGrid& grid,
                                  const std::vector<bool>& candidates) {
    const auto* data = reinterpret_cast<const uchar*>(input.constData());
    const qint64 size = input.size();
    // A small input (a small file) gets a table to match, which costs less to clear. Such a
    // table is kept by the thread for the next small file rather than taken from the heap
    // that all threads share each time; a large one is given back at once.
    const int bits = std::clamp(int(std::bit_width(quint64(size))) - 1, 8, RepeatHashBits);
    thread_local std::vector<SeenBytes> kept;
    std::vector<SeenBytes> fresh;
    std::vector<SeenBytes>& seen = bits <= KeptTableBits ? kept : fresh;
    seen.assign(size_t(1) << bits, SeenBytes{});
    for (qint64 p = 0; p < grid.begin && p + MinRepeat <= size; ++p)
        seen[repeatHash(read32(data + p), bits)] = SeenBytes{quint32(p + 1), read32(data + p)};
    std::vector<qint64> repeated(size_t(grid.count), 0);
    qint64 undecided = std::count(candidates.begin(), candidates.end(), true);
    for (qint64 p = grid.begin; undecided > 0 && p + MinRepeat <= size;) {
        const quint32 fourBytes = read32(data + p);
        SeenBytes& slot = seen[repeatHash(fourBytes, bits)];
        const qint64 earlier = qint64(slot.place) - 1;
        // The bytes first: on data without repeats they almost never agree.
        const bool match =
            slot.bytes == fourBytes && earlier >= 0 && p - earlier <= MaxRepeatDistance;
        slot = SeenBytes{quint32(p + 1), fourBytes};
        const qint64 length = match ? repeatLength(data, earlier, p, size) : 1;
        if (match) {
            const qint64 slice = grid.sliceOf(p);
            const qint64 sliceLength = grid.sliceEnd(slice) - grid.sliceBegin(slice);
            const bool before = repeatsEnough(repeated[size_t(slice)], sliceLength);
            repeated[size_t(slice)] += length;
            if (candidates[size_t(slice)] && !before &&
                repeatsEnough(repeated[size_t(slice)], sliceLength))
                --undecided;
        }
        p += length;
    }
    return repeated;
}

bool isAnchor(const uchar* data, qint64 p) {
    return ((data[p] + data[p + 1]) & (AnchorSpacing - 1)) == AnchorSpacing - 1;
}

// Calls Visit with every anchor from Begin to before End, in order; the byte at End must be
// readable too. Sixteen positions are tested at a time where the processor allows.
template <typename Visit>
void forEachAnchor(const uchar* data, qint64 begin, qint64 end, Visit visit) {
    qint64 p = begin;
#if defined(__SSE2__)
    const __m128i low = _mm_set1_epi8(char(AnchorSpacing - 1));
    for (; p + 16 <= end; p += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + 1));
        const __m128i sum = _mm_and_si128(_mm_add_epi8(here, next), low);
        auto hits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(sum, low)));
        for (; hits != 0; hits &= hits - 1)
            visit(p + std::countr_zero(hits));
    }
#endif
    for (; p < end; ++p) {
        if (isAnchor(data, p))
            visit(p);
    }
}

// Repeats found from the anchors of each slice, and how many anchors each slice has.
struct QuickLook {
    std::vector<qint64> repeated;
    std::vector<qint64> anchors;
};

// Bytes of each slice that repeat data at most deflate's distance back, looked up at the
// anchors only and then followed both ways: a repeat is counted whole once one of its
// anchors is found. The 32 KiB before the block count as earlier data.
QuickLook anchoredRepeats(const QByteArray& input, const SliceGrid& grid) {
    const auto* data = reinterpret_cast<const uchar*>(input.constData());
    const qint64 size = input.size();
    const int bits =
        std::clamp(int(std::bit_width(quint64(size / AnchorSpacing))) + 1, 6, AnchorHashBits);
    std::vector<quint32> seen(size_t(1) << bits); // an anchor's position + 1; 0 for none
    QuickLook look{std::vector<qint64>(size_t(grid.count), 0),
                   std::vector<qint64>(size_t(grid.count), 0)};
    // Anchors from here on would hold fewer than MinRepeat bytes.
    const qint64 last = std::max<qint64>(0, size - MinRepeat + 1);
    forEachAnchor(data, 0, std::min(grid.begin, last),
                  [&](qint64 p) { seen[repeatHash(read32(data + p), bits)] = quint32(p + 1); });
    qint64 covered = grid.begin; // bytes before this are counted already, or primed
    forEachAnchor(data, grid.begin, last, [&](qint64 p) {
        const auto slice = size_t(grid.sliceOf(p));
        ++look.anchors[slice];
        if (p < covered)
            return;
        const quint32 fourBytes = read32(data + p);
        quint32& slot = seen[repeatHash(fourBytes, bits)];
        const qint64 earlier = qint64(slot) - 1;
        slot = quint32(p + 1);
        if (earlier < 0 || p - earlier > MaxRepeatDistance || read32(data + earlier) != fourBytes)
            return;
        qint64 back = 0;
        while (p - back > covered && earlier - back > 0 &&
               data[earlier - back - 1] == data[p - back - 1])
            ++back;
        qint64 length = MinRepeat;
        while (p + length < size && data[earlier + length] == data[p + length])
            ++length;
        look.repeated[slice] += back + length;
        covered = p + length;
    });
    return look;
}

// Repeated bytes per slice for deciding which of the Candidates to store. The quick look
// settles a block without repeats (random data, already-compressed media); any other block
// gets the full scan, whose verdicts the quick look never overrules.
std::vector<qint64> repeatsFor(const QByteArray& input, const SliceGrid& grid,
                               const std::vector<bool>& candidates) {
    if (grid.end - grid.begin < MinQuickLookSize)
        return repeatedBytes(input, grid, candidates);
    QuickLook look = anchoredRepeats(input, grid);
    for (qint64 i = 0; i < grid.count; ++i) {
        const qint64 length = grid.sliceEnd(i) - grid.sliceBegin(i);
        const bool doubtful = look.repeated[size_t(i)] > ChanceRepeatBytes ||
                              look.anchors[size_t(i)] * SparseAnchorDivisor < length;
        if (candidates[size_t(i)] && doubtful)
            return repeatedBytes(input, grid, candidates);
    }
    return std::move(look.repeated);
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
    const std::vector<qint64> repeated = repeatsFor(input, grid, stored);
    for (qint64 i = 0; i < grid.count; ++i) {
        if (repeatsEnough(repeated[size_t(i)], grid.sliceEnd(i) - grid.sliceBegin(i)))
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
