#pragma once

#include "zip_engine/deflate/deflate_job.h"

#include <atomic>

namespace Deflate {

// Compresses one job into its piece of the file's raw deflate stream and computes the
// block's CRC; stretches the plan stores are written as stored blocks, the rest is deflated
// and ended with a sync flush, so that the pieces of consecutive blocks join bit for bit.
// The job's input is released afterwards. Failures (zlib's, an allocation's, a stop asked
// for through Stop) are left in zlibCode and zlibMessage; nothing is thrown. At StoreAsIs
// the block's bytes are the piece, as they are.
void compressBlock(DeflateJob& job, int level, const std::atomic<bool>& stop);

} // namespace Deflate
