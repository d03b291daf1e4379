// The hand-over between the thread that reads a download from the network and a worker
// that writes each piece to the file and feeds it to the signature check, so that reading,
// writing and hashing run side by side. The pieces travel in a small ring of large
// buffers: memory stays at the ring's size whatever the file's, and the bytes hashed are
// the bytes written, in order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrova {

class DownloadPipeline {
public:
    static constexpr std::size_t kBufferBytes = 512 * 1024;
    static constexpr std::size_t kBufferCount = 4;

    // `consume` gets every piece in order on the worker, and `written` the running total
    // after it. A failure of `consume` ends the worker; the reader then sees it rethrown.
    DownloadPipeline(std::function<void(const char* bytes, std::size_t size)> consume,
                     std::function<void(std::int64_t total)> written);
    // Stops the worker after the piece it is on; pieces still queued are dropped.
    ~DownloadPipeline();
    DownloadPipeline(const DownloadPipeline&) = delete;
    DownloadPipeline& operator=(const DownloadPipeline&) = delete;

    // A free buffer of kBufferBytes, waiting while all are queued. Rethrows the worker's failure.
    char* Acquire();
    // Queues the first `size` bytes of the buffer Acquire gave last.
    void Submit(std::size_t size);
    // Waits until every queued piece is consumed; rethrows the worker's failure.
    void Finish();

private:
    struct Piece {
        char* bytes;
        std::size_t size;
    };

    void Work();
    void RethrowFailure();  // with the lock held

    const std::function<void(const char*, std::size_t)> consume_;
    const std::function<void(std::int64_t)> written_;
    std::vector<std::unique_ptr<char[]>> buffers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<char*> free_;   // guarded by mutex_
    std::deque<Piece> queued_;  // guarded by mutex_
    bool busy_ = false;         // the worker holds a piece; guarded by mutex_
    bool stopping_ = false;     // guarded by mutex_
    std::exception_ptr failure_;  // guarded by mutex_
    char* acquired_ = nullptr;  // the reader's
    std::thread worker_;
};

}  // namespace kestrova
