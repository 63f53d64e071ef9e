#pragma once

#include "zip_engine/deflate/deflate_job.h"

namespace Deflate {

// Has the stream take zlib's memory from what the calling thread kept of its previous
// streams. A small file would otherwise cost five allocations and five frees of up to
// 64 KiB, and all threads share one heap, whose lock they would take turns at. The stream
// must be started, used and ended on this thread. Set before deflateInit2.
void UseThreadMemory(z_stream& zs);

} // namespace Deflate
