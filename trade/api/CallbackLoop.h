// The trading object's callback queue and the thread that delivers it: an io_context, a keep-alive
// timer that re-arms itself every second so that the queue never runs dry, and one standard thread.
// Post and Join may be called from any thread; Start and Stop from the owner's threads. The io_context
// and the join state are shared with the thread and with waiting Join calls, so that neither touches
// freed memory when the owner is destroyed while they still run.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

class CCallbackLoop {
  public:
    CCallbackLoop();
    // Stops the loop (see Stop).
    ~CCallbackLoop();
    CCallbackLoop(const CCallbackLoop&) = delete;
    CCallbackLoop& operator=(const CCallbackLoop&) = delete;

    // Queues a handler; handlers run one at a time in posting order once the thread runs. Handlers
    // still queued when the loop stops are destroyed without running.
    template <class Handler>
    void Post(Handler&& handler) {
        boost::asio::post(Shared->Io, std::forward<Handler>(handler));
    }

    // Arms the keep-alive timer and starts the thread. Throws boost::system::system_error when the timer
    // cannot be set and std::system_error when the thread cannot be created (the loop then stays
    // unstarted). Runs once: later calls do nothing.
    void Start();

    // Stops the queue: no handler starts after this returns, except on the loop's own thread, where
    // the running handler finishes. Waits for the thread to end unless called on it (the thread then
    // ends by itself once the running handler returns). A second call does nothing.
    void Stop();

    // Waits until the thread has left its loop; returns at once when the thread never started or has
    // ended. Throws std::system_error (resource_deadlock_would_occur) on the loop's own thread. Holds
    // the join state by itself, so the owner may be destroyed while it waits.
    void Join() const;

    // Threads waiting in Join now.
    int JoinWaiters() const;
    // Stop has been called.
    bool Stopped() const { return Shared->Io.stopped(); }

  private:
    struct State {
        boost::asio::io_context Io;
        boost::asio::steady_timer KeepAlive{Io};
        std::mutex Mutex;
        std::condition_variable Ended;
        bool Started = false;  // a thread was created
        bool Running = false;  // and has not left its loop
        int Waiters = 0;       // threads in Join
        std::thread::id ThreadId;
    };

    // Runs on the loop's thread each time the keep-alive timer expires.
    static void ArmKeepAlive(State& state);

    const std::shared_ptr<State> Shared;
    std::thread Thread;
};
