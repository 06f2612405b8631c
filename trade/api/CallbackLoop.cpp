#include "trade/api/CallbackLoop.h"

#include <chrono>
#include <system_error>

#include <boost/asio/error.hpp>

CCallbackLoop::CCallbackLoop() : Shared(std::make_shared<State>()) {}

CCallbackLoop::~CCallbackLoop() {
    Stop();
}

void CCallbackLoop::ArmKeepAlive(State& state) {
    state.KeepAlive.expires_after(std::chrono::seconds(1));
    state.KeepAlive.async_wait([&state](const boost::system::error_code& error) {
        // Cancelled when the loop is destroyed: nothing more to keep alive.
        if (error == boost::asio::error::operation_aborted) return;
        ArmKeepAlive(state);
    });
}

void CCallbackLoop::Start() {
    std::unique_lock<std::mutex> lock(Shared->Mutex);
    if (Shared->Started) return;
    ArmKeepAlive(*Shared);
    Shared->Started = true;
    Shared->Running = true;
    try {
        // The thread owns a share of the state: the io_context outlives the loop object when the
        // thread is let go by a Stop on the thread itself.
        Thread = std::thread([state = Shared] {
            state->Io.run();
            std::lock_guard<std::mutex> ended(state->Mutex);
            state->Running = false;
            state->Ended.notify_all();
        });
    } catch (...) {
        Shared->Started = false;
        Shared->Running = false;
        throw;
    }
    Shared->ThreadId = Thread.get_id();
}

void CCallbackLoop::Stop() {
    Shared->Io.stop();
    if (!Thread.joinable()) return;
    if (Thread.get_id() == std::this_thread::get_id()) {
        Thread.detach();
    } else {
        Thread.join();
    }
}

void CCallbackLoop::Join() const {
    const std::shared_ptr<State> state = Shared;
    std::unique_lock<std::mutex> lock(state->Mutex);
    if (state->Started && state->ThreadId == std::this_thread::get_id())
        throw std::system_error(std::make_error_code(std::errc::resource_deadlock_would_occur));
    ++state->Waiters;
    state->Ended.wait(lock, [&state] { return !state->Running; });
    --state->Waiters;
}

int CCallbackLoop::JoinWaiters() const {
    std::lock_guard<std::mutex> lock(Shared->Mutex);
    return Shared->Waiters;
}
