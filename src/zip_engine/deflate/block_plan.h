#pragma once

#include <QByteArray>

#include <vector>

// Which stretches of a block deflate could not shrink (already-compressed media): those are
// stored as they are, the rest is deflated. The plan depends on the data and the level only.
namespace Deflate {

// A stretch of a block that is either deflated or stored as it is; offsets into the input.
struct Segment {
    qint64 begin = 0;
    qint64 end = 0;
    bool stored = false;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// Cuts the block that follows the first PrimeSize bytes of Input (the 32 KiB before it, none
// for a file's first block) into stretches to deflate and stretches to store, each as long as
// the run of 64 KiB slices judged alike. A file's first slice is stored only when zlib would
// call the file binary (its verdict on the file's start is what the entry records), and every
// level but 1 to 9 and zlib's default gives one deflated stretch.
std::vector<Segment> planSegments(const QByteArray& input, qint64 primeSize, int level);

} // namespace Deflate
