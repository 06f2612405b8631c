// Block-list send queue.
#include "transport/SendQueue.h"

#include <algorithm>
#include <cstring>

CSendQueue::CSendQueue(uint32_t blockSize) : SendBlockSize(blockSize) {
    SendBlocks.emplace_back(new uint8_t[SendBlockSize]);
}

bool CSendQueue::Append(const uint8_t* data, uint32_t size) {
    const bool wasEmpty = SendPending == 0;
    while (size > 0) {
        // The queued bytes run from SendStart in the first block to this position in the last one.
        const uint32_t position = static_cast<uint32_t>((SendStart + SendPending) % SendBlockSize);
        if (position == 0 && SendPending > 0) SendBlocks.emplace_back(new uint8_t[SendBlockSize]);
        const uint32_t n = std::min(SendBlockSize - position, size);
        std::memcpy(SendBlocks.back().get() + position, data, n);
        SendPending += n;
        data += n;
        size -= n;
    }
    return wasEmpty && SendPending > 0;
}

CSendQueue::Chunk CSendQueue::NextWrite() const {
    return {SendBlocks.front().get() + SendStart,
            static_cast<uint32_t>(std::min<uint64_t>(SendBlockSize - SendStart, SendPending))};
}

bool CSendQueue::Written(uint32_t written) {
    SendPending -= written;
    SendStart += written;
    if (SendPending == 0) {
        SendStart = 0;  // the only block left stays for reuse
        return false;
    }
    if (SendStart == SendBlockSize) {
        SendBlocks.pop_front();
        SendStart = 0;
    }
    return true;
}
