#pragma once

#include <QtGlobal>

namespace Deflate {

// CRC-32 of Size bytes at Data, continuing Crc: the value zlib's crc32_z gives, computed
// several times faster by carry-less multiplication where the processor has it.
quint32 crc32Of(quint32 crc, const uchar* data, qint64 size);

} // namespace Deflate
