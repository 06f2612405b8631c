// Byte fixtures for tests: hex text to bytes, exact-size heap copies, and a byte comparison that
// prints both buffers and the first differing offset.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using Bytes = std::vector<uint8_t>;

// "03 F1 00 00 | 00 22": hex digit pairs; blanks, newlines and '|' are ignored.
Bytes Hex(const std::string& text);

// Concatenation of several fixtures.
Bytes Cat(std::initializer_list<Bytes> parts);

std::string ToHex(const uint8_t* data, size_t size);

// A heap block of exactly the fixture's size, so that a read one byte past it is seen by ASan.
struct ExactBuffer {
    explicit ExactBuffer(const Bytes& bytes);
    uint8_t* data() { return Block.get(); }
    uint32_t size() const { return Size; }
    std::unique_ptr<uint8_t[]> Block;
    uint32_t Size;
};

::testing::AssertionResult BytesEqual(const uint8_t* actual, size_t actualSize, const Bytes& expected);

#define EXPECT_BYTES(actualPtr, actualSize, expected) \
    EXPECT_TRUE(BytesEqual((actualPtr), (actualSize), (expected)))
