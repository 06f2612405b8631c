// Every committed input of the quote-facade fuzzer, run through the fuzzer's body as a plain test, so
// that an input that once failed keeps being checked in every build.
#include "tests/fuzz/QuoteFacadeInput.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

TEST(QuoteFacadeCorpus, EveryInputRunsThroughTheFacade) {
    const std::filesystem::path corpus = KDX_QUOTE_FACADE_CORPUS;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        EXPECT_EQ(fuzz::FeedQuoteFacade(bytes.data(), bytes.size()), 0);
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << corpus;
}
