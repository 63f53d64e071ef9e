#include "zip_engine/deflate/stream_memory.h"

#include <array>
#include <cstdlib>

namespace Deflate {

namespace {

// zlib allocates five blocks per deflate stream; a few more leave room for another level.
constexpr int KeptBlocks = 8;

// The blocks of zlib's memory one thread keeps, matched again by size; freed when the
// thread ends.
class ThreadMemory {
  public:
    ThreadMemory() = default;
    ~ThreadMemory() {
        for (const Block& block : m_blocks)
            std::free(block.data);
    }
    ThreadMemory(const ThreadMemory&) = delete;
    ThreadMemory& operator=(const ThreadMemory&) = delete;

    void* take(size_t size) {
        for (Block& block : m_blocks) {
            if (block.data && !block.inUse && block.size == size) {
                block.inUse = true;
                return block.data;
            }
        }
        void* data = std::malloc(size);
        Block* slot = freeSlot();
        if (data && slot)
            *slot = Block{data, size, true};
        return data;
    }

    void give(void* data) {
        for (Block& block : m_blocks) {
            if (block.data == data) {
                block.inUse = false;
                return;
            }
        }
        std::free(data);
    }

  private:
    struct Block {
        void* data = nullptr;
        size_t size = 0;
        bool inUse = false;
    };

    // An empty slot, or else one whose block is not in use and is given up for the new one
    // (the sizes zlib asks for changed with the level).
    Block* freeSlot() {
        Block* spare = nullptr;
        for (Block& block : m_blocks) {
            if (!block.data)
                return &block;
            if (!block.inUse && !spare)
                spare = &block;
        }
        if (spare) {
            std::free(spare->data);
            *spare = Block{};
        }
        return spare;
    }

    std::array<Block, KeptBlocks> m_blocks{};
};

thread_local ThreadMemory t_memory;

voidpf allocate(voidpf, uInt items, uInt size) {
    return t_memory.take(size_t(items) * size);
}

void release(voidpf, voidpf address) {
    t_memory.give(address);
}

} // namespace

void UseThreadMemory(z_stream& zs) {
    zs.zalloc = allocate;
    zs.zfree = release;
    zs.opaque = nullptr;
}

} // namespace Deflate
