// The market-data library as a calling program uses it (libquotegate.so, public header only), releasing
// the object while a front pushes quotes as fast as it can: from another thread and from inside the
// quote callback. No callback may follow Release, and nothing may touch the freed object or the
// callback object afterwards (checked under ThreadSanitizer and AddressSanitizer).
#include "ZantuVextMdApi.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include <gtest/gtest.h>

#include "tests/quot/api/QuoteFixtures.h"
#include "tests/support/StreamingFront.h"

namespace {

constexpr auto Bound = std::chrono::seconds(5);

Bytes QuoteBlock() {
    const Bytes frame = Cat({BigEndian(quotefix::PushedQuote(quotefix::FullQuoteFields()).size(), 4),
                             quotefix::PushedQuote(quotefix::FullQuoteFields())});
    Bytes block;
    for (int i = 0; i < 64; ++i)
        block = Cat({block, frame});
    return block;
}

// Counts snapshots; optionally releases the object from inside the callback once enough have come.
class QuoteCounter : public CZantuVextMdSpi {
  public:
    void OnMarketSnapshot(CZantuVextMarketSnapshot* s) override {
        if (Released.load()) LateCallbacks.fetch_add(1);
        if (s->TotalVolume != 5) WrongSnapshots.fetch_add(1);
        std::unique_lock<std::mutex> lock(Mutex);
        if (++Count == ReleaseAt && Api != nullptr) {
            lock.unlock();
            Api->Release();
            lock.lock();
            Released = true;
        }
        Changed.notify_all();
        // Nothing of this object is touched once the lock is let go: the test may end then.
    }
    bool WaitFor(uint64_t n) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, Bound, [&] { return Count >= n; });
    }
    bool WaitReleased() {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, Bound, [&] { return Released.load(); });
    }

    CZantuVextMdApi* Api = nullptr;  // released from the callback when set
    uint64_t ReleaseAt = 0;
    std::atomic<bool> Released{false};
    std::atomic<int> LateCallbacks{0};
    std::atomic<int> WrongSnapshots{0};

  private:
    std::mutex Mutex;
    std::condition_variable Changed;
    uint64_t Count = 0;
};

// Created with its callback object and front, not started yet.
CZantuVextMdApi* Created(StreamingFront& front, CZantuVextMdSpi& spi) {
    CZantuVextMdApi* api = CZantuVextMdApi::CreateVextMdApi("", true, false);
    api->SetSpi(&spi);
    std::string address = "tcp://" + front.Address();
    api->AddFront(&address[0]);
    return api;
}

}  // namespace

TEST(MdApiLifecycle, ReleaseFromAnotherThreadWhileQuotesFlowEndsTheCallbacks) {
    StreamingFront front(QuoteBlock());
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        QuoteCounter counter;
        CZantuVextMdApi* api = Created(front, counter);
        api->Init();
        ASSERT_TRUE(counter.WaitFor(200));
        api->Release();
        counter.Released = true;
        EXPECT_EQ(counter.WrongSnapshots.load(), 0);
        // counter goes away now: a callback still running or starting would touch it.
        EXPECT_EQ(counter.LateCallbacks.load(), 0);
    }
}

TEST(MdApiLifecycle, ReleaseFromInsideTheQuoteCallbackTouchesNothingAfterwards) {
    StreamingFront front(QuoteBlock());
    QuoteCounter counter;
    counter.ReleaseAt = 100;
    counter.Api = Created(front, counter);  // before quotes can arrive
    counter.Api->Init();
    ASSERT_TRUE(counter.WaitReleased());
    EXPECT_EQ(counter.LateCallbacks.load(), 0);
    EXPECT_EQ(counter.WrongSnapshots.load(), 0);
}
