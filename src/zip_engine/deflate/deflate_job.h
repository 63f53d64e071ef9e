#pragma once

#include <QByteArray>
#include <QString>

// zlib then takes its input through const pointers.
#ifndef ZLIB_CONST
#define ZLIB_CONST
#endif
#include <zlib.h>

#include <memory>

namespace Deflate {

// Deflate looks back at most 32 KiB, so that much of the preceding input primes each block.
constexpr qint64 DictionarySize = 32768;
// Not a zlib level: a block compressed at it is copied as it is, for a stored entry.
constexpr int StoreAsIs = -100;

// One block of one file on its way from the reader through the pool to the sink.
struct DeflateJob {
    int file = 0;
    QString path; // the file's, for messages
    // The 32 KiB of the file just before the block (none for a file's first), then the block.
    QByteArray input;
    qint64 primeSize = 0; // bytes of input that precede the block
    bool last = false;    // the file's last block: ends the stream instead of a flush
    // Written by whoever compresses the job, read by the caller once done is set.
    QByteArray output;
    quint32 crc = 0;
    qint64 inputSize = 0;
    int zlibCode = Z_OK;
    int dataType = Z_UNKNOWN; // zlib's text or binary verdict on the block
    QString zlibMessage;
    QString readFailure; // set by the reader when the file could not be opened or read
    bool done = false;
};

using JobPtr = std::shared_ptr<DeflateJob>;

} // namespace Deflate
