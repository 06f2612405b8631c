// The send queue of a connection: queued bytes in a list of fixed-size blocks, written from the first
// block one write at a time, a write never crossing a block's end. Unbounded: a peer that stops reading
// makes it grow block by block. Sans-I/O; the connection does the writing. One thread at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>

class CSendQueue {
  public:
    struct Chunk {
        const uint8_t* Data;
        uint32_t Size;
    };

    // Allocates the first block, which is kept for reuse whenever the queue empties.
    explicit CSendQueue(uint32_t blockSize);

    // Appends a copy of the bytes. True when the queue was empty before: a write must be started.
    bool Append(const uint8_t* data, uint32_t size);
    // The bytes of the next write: from the first unsent byte to the end of the first block at most.
    Chunk NextWrite() const;
    // Drops `written` bytes of the last NextWrite. A block written to its end is freed. True when bytes
    // remain to be written.
    bool Written(uint32_t written);

    uint64_t Pending() const { return SendPending; }
    size_t BlockCount() const { return SendBlocks.size(); }

  private:
    const uint32_t SendBlockSize;
    std::deque<std::unique_ptr<uint8_t[]>> SendBlocks;
    uint32_t SendStart = 0;    // offset in the first block of the first unsent byte
    uint64_t SendPending = 0;  // queued bytes not yet written (beyond 4 GiB if the peer stalls)
};
