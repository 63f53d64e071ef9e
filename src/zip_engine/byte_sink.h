#pragma once

#include <QtGlobal>

// The first failure of a sink: whether one happened and the errno that says why (0 where
// none is known).
struct SinkError {
    bool failed = false;
    int errorNumber = 0;
};

// Where an archive's bytes go: written in order, with seeks back to patch a header. The first
// failure is kept with its errno; after it nothing more is written, as the archive is damaged
// whatever follows. Every write is one call, never one per byte.
class ByteSink {
  public:
    enum class Origin { Start, End };

    virtual ~ByteSink() = default;

    // Writes size bytes at the current position; false when that failed now or earlier.
    [[nodiscard]] virtual bool write(const void* data, qint64 size) = 0;
    // Moves to offset, counted from the start or (as when appending) back from the end; false
    // when that failed now or earlier.
    [[nodiscard]] virtual bool seek(qint64 offset, Origin origin = Origin::Start) = 0;
    // The current position, as the next write will place its bytes; -1 when unknown.
    virtual qint64 position() = 0;
    // Writes out what is pending and closes; false when that or anything before it failed.
    [[nodiscard]] virtual bool close() = 0;
    // The first failure, kept until the next file is opened.
    virtual SinkError error() const = 0;
    // Marks the sink failed with errorNumber unless it failed already: a layer above that
    // sees a fault the sink cannot see stops it writing more.
    virtual void fail(int errorNumber) = 0;

  protected:
    ByteSink() = default;
    ByteSink(const ByteSink&) = default;
    ByteSink& operator=(const ByteSink&) = default;
};
