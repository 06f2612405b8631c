// Frame reassembly over the bytes of successive reads.
#include "transport/FrameAssembler.h"

#include <algorithm>
#include <cstring>

#include "codec/ByteOrder.h"

FrameAssembler::FrameAssembler() : FrameBuffer(new uint8_t[MaxFrameLength]) {}

void FrameAssembler::Feed(uint8_t* data, uint32_t size) {
    Input = data;
    InputLeft = size;
}

// Moves up to `wanted` fed bytes behind the held ones; returns how many were moved.
uint32_t FrameAssembler::Take(uint32_t wanted) {
    const uint32_t n = std::min(wanted, InputLeft);
    if (n > 0) std::memcpy(FrameBuffer.get() + FrameHeld, Input, n);
    FrameHeld += n;
    Input += n;
    InputLeft -= n;
    return n;
}

FrameAssembler::Result FrameAssembler::Next() {
    if (Broken) return {Status::TooLarge, nullptr, 0};
    if (FrameHeld > 0) {
        if (FrameHeld < LengthSize) {
            Take(LengthSize - FrameHeld);
            if (FrameHeld < LengthSize) return {Status::NeedMore, nullptr, 0};
        }
        const uint32_t length = be::Load32(FrameBuffer.get());
        if (length > MaxPayloadLength) {
            Broken = true;
            return {Status::TooLarge, nullptr, 0};
        }
        Take(LengthSize + length - FrameHeld);
        if (FrameHeld < LengthSize + length) return {Status::NeedMore, nullptr, 0};
        FrameHeld = 0;
        return {Status::Frame, FrameBuffer.get() + LengthSize, length};
    }
    if (InputLeft >= LengthSize) {
        const uint32_t length = be::Load32(Input);
        if (length > MaxPayloadLength) {
            Broken = true;
            return {Status::TooLarge, nullptr, 0};
        }
        if (InputLeft - LengthSize >= length) {
            uint8_t* payload = Input + LengthSize;
            Input += LengthSize + length;
            InputLeft -= LengthSize + length;
            return {Status::Frame, payload, length};
        }
    }
    // Fewer than 4 bytes, or a frame cut short: both fit the frame buffer.
    Take(InputLeft);
    return {Status::NeedMore, nullptr, 0};
}
