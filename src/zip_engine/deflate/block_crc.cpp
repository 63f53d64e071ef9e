#include "zip_engine/deflate/block_crc.h"

#include <zlib.h>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define VENDREL_FOLDED_CRC 1
#include <emmintrin.h>
#include <wmmintrin.h>
#endif

namespace Deflate {

namespace {

// Below this, zlib's own tables are as quick.
constexpr qint64 MinFoldedSize = 64;

quint32 zlibCrc(quint32 crc, const uchar* data, qint64 size) {
    return quint32(crc32_z(crc, data, size_t(size)));
}

#ifdef VENDREL_FOLDED_CRC

// Multiplies both halves of Value by the matching half of Factors (x to the power of the
// distance folded over, modulo the CRC polynomial, bit-reflected) and adds Next: Value is
// carried forward over that distance, onto the bytes of Next.
__attribute__((target("pclmul,sse2"))) __m128i fold(__m128i value, __m128i factors, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(value, factors, 0x00);
    const __m128i high = _mm_clmulepi64_si128(value, factors, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

__attribute__((target("pclmul,sse2"))) __m128i load(const uchar* data) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

// Folds the bytes 16 at a time (four lanes 64 bytes apart while 64 remain) into 16 bytes that
// leave the same remainder, then lets zlib finish those and the tail.
__attribute__((target("pclmul,sse2"))) quint32 foldedCrc(quint32 crc, const uchar* data,
                                                         qint64 size) {
    const __m128i by16 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);
    const __m128i by64 = _mm_set_epi64x(0x01c6e41596LL, 0x0154442bd4LL);
    // zlib's register starts as the complement of the CRC so far.
    __m128i x0 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(int(~crc)));
    qint64 p = 16;
    if (size >= 128) {
        __m128i x1 = load(data + 16);
        __m128i x2 = load(data + 32);
        __m128i x3 = load(data + 48);
        for (p = 64; p + 64 <= size; p += 64) {
            x0 = fold(x0, by64, load(data + p));
            x1 = fold(x1, by64, load(data + p + 16));
            x2 = fold(x2, by64, load(data + p + 32));
            x3 = fold(x3, by64, load(data + p + 48));
        }
        x0 = fold(fold(fold(x0, by16, x1), by16, x2), by16, x3);
    }
    for (; p + 16 <= size; p += 16)
        x0 = fold(x0, by16, load(data + p));
    alignas(16) uchar rest[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(rest), x0);
    // The folded bytes stand for everything before them, from a register of zero.
    const quint32 folded = zlibCrc(0xffffffffU, rest, 16);
    return zlibCrc(folded, data + p, size - p);
}

bool canFold() {
    static const bool supported = __builtin_cpu_supports("pclmul");
    return supported;
}

#endif

} // namespace

quint32 crc32Of(quint32 crc, const uchar* data, qint64 size) {
#ifdef VENDREL_FOLDED_CRC
    if (size >= MinFoldedSize && canFold())
        return foldedCrc(crc, data, size);
#endif
    return zlibCrc(crc, data, size);
}

} // namespace Deflate
