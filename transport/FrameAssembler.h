// Splits a received byte stream into frames: a 4-byte big-endian payload length, then the payload.
// Whole frames are handed out in place; only a frame split across reads is gathered in the 8192-byte
// frame buffer. Sans-I/O: the connection feeds it the bytes of each read. One thread at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "codec/APIPackage.h"

class FrameAssembler {
  public:
    static constexpr uint32_t LengthSize = 4;
    static constexpr uint32_t MaxFrameLength = LengthSize + MaxPayloadLength;  // 8192

    enum class Status {
        Frame,     // Payload and Length name one whole payload
        NeedMore,  // the fed bytes are used up; an incomplete frame is kept for the next read
        TooLarge,  // a frame announced more than MaxPayloadLength bytes; the stream cannot go on
    };
    struct Result {
        Status Kind;
        uint8_t* Payload;  // valid until the next call
        uint32_t Length;
    };

    FrameAssembler();

    // Starts on the bytes of one read. They must stay valid until Next has returned NeedMore or TooLarge.
    void Feed(uint8_t* data, uint32_t size);
    // The next frame of the fed bytes, in arrival order. A length above 8188 is reported before any of
    // its payload is looked at, and stays reported on every later call.
    [[nodiscard]] Result Next();

    // Bytes of an incomplete frame held from earlier reads.
    uint32_t Held() const { return FrameHeld; }

  private:
    uint32_t Take(uint32_t wanted);

    std::unique_ptr<uint8_t[]> FrameBuffer;
    uint32_t FrameHeld = 0;
    uint8_t* Input = nullptr;
    uint32_t InputLeft = 0;
    bool Broken = false;
};
