#include "zip_engine/minizip_sink_io.h"

#include "zip_engine/test_faults.h"

#include <minizip/ioapi.h>

#include <cstdio>
#include <optional>

namespace {

// What minizip means by its open flags (the same mapping as its own stdio layer).
std::optional<ArchiveStream::OpenMode> openMode(int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ)
        return ArchiveStream::OpenMode::Read;
    if (mode & ZLIB_FILEFUNC_MODE_EXISTING)
        return ArchiveStream::OpenMode::Update;
    if (mode & ZLIB_FILEFUNC_MODE_CREATE)
        return ArchiveStream::OpenMode::Create;
    return std::nullopt;
}

} // namespace

// minizip's view of the sink: plain C callbacks with the MinizipSinkIo as opaque state. The
// stream minizip passes back is the sink itself, which the state already knows.
struct MinizipSinkIo::Callbacks {
    static MinizipSinkIo& state(voidpf opaque) { return *static_cast<MinizipSinkIo*>(opaque); }

    static voidpf open(voidpf opaque, const void* fileName, int mode) {
        const std::optional<ArchiveStream::OpenMode> openAs = openMode(mode);
        if (!openAs)
            return nullptr;
        MinizipSinkIo& io = state(opaque);
        if (!io.m_file.open(static_cast<const char*>(fileName), *openAs))
            return nullptr;
        io.m_faultLayer = ZipFileIo::faultLayerOver(io.m_file);
        io.m_sink = io.m_faultLayer ? io.m_faultLayer.get() : &io.m_file;
        return &io.m_file;
    }

    static uLong read(voidpf opaque, voidpf, void* buffer, uLong size) {
        return uLong(state(opaque).m_file.read(buffer, qint64(size)));
    }

    static uLong write(voidpf opaque, voidpf, const void* buffer, uLong size) {
        return state(opaque).m_sink->write(buffer, qint64(size)) ? size : 0;
    }

    static ZPOS64_T tell(voidpf opaque, voidpf) {
        return ZPOS64_T(state(opaque).m_sink->position());
    }

    static long seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
        ByteSink& sink = *state(opaque).m_sink;
        bool moved = false;
        switch (origin) {
        case ZLIB_FILEFUNC_SEEK_END:
            moved = sink.seek(qint64(offset), ByteSink::Origin::End);
            break;
        case ZLIB_FILEFUNC_SEEK_CUR:
            moved = sink.seek(sink.position() + qint64(offset));
            break;
        default:
            moved = sink.seek(qint64(offset));
            break;
        }
        return moved ? 0 : -1;
    }

    static int close(voidpf opaque, voidpf) { return state(opaque).m_sink->close() ? 0 : EOF; }

    static int error(voidpf opaque, voidpf) { return state(opaque).m_file.streamFailed() ? 1 : 0; }
};

void MinizipSinkIo::attach(zlib_filefunc64_def_s& def, int descriptor, bool largeBlocks) {
    m_file.reset(descriptor, largeBlocks);
    m_faultLayer.reset();
    m_sink = &m_file;
    def.zopen64_file = &Callbacks::open;
    def.zread_file = &Callbacks::read;
    def.zwrite_file = &Callbacks::write;
    def.ztell64_file = &Callbacks::tell;
    def.zseek64_file = &Callbacks::seek;
    def.zclose_file = &Callbacks::close;
    def.zerror_file = &Callbacks::error;
    def.opaque = this;
}
