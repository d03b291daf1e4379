#include "update/DownloadPipeline.h"

namespace kestrova {

DownloadPipeline::DownloadPipeline(std::function<void(const char*, std::size_t)> consume,
                                   std::function<void(std::int64_t)> written)
    : consume_(std::move(consume)), written_(std::move(written))
{
    for (std::size_t i = 0; i < kBufferCount; ++i) {
        buffers_.push_back(std::make_unique_for_overwrite<char[]>(kBufferBytes));
        free_.push_back(buffers_.back().get());
    }
    worker_ = std::thread([this] { Work(); });
}

DownloadPipeline::~DownloadPipeline()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void DownloadPipeline::RethrowFailure()
{
    if (failure_)
        std::rethrow_exception(failure_);
}

char* DownloadPipeline::Acquire()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !free_.empty() || failure_; });
    RethrowFailure();
    acquired_ = free_.back();
    free_.pop_back();
    return acquired_;
}

void DownloadPipeline::Submit(std::size_t size)
{
    {
        std::lock_guard lock(mutex_);
        RethrowFailure();
        queued_.push_back({acquired_, size});
        acquired_ = nullptr;
    }
    changed_.notify_all();
}

void DownloadPipeline::Finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queued_.empty() && !busy_) || failure_; });
    RethrowFailure();
}

void DownloadPipeline::Work()
{
    std::int64_t total = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queued_.empty() || stopping_; });
        if (stopping_)
            return;
        const Piece piece = queued_.front();
        queued_.pop_front();
        busy_ = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            consume_(piece.bytes, piece.size);
            total += static_cast<std::int64_t>(piece.size);
            written_(total);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        busy_ = false;
        free_.push_back(piece.bytes);
        changed_.notify_all();
        if (failure) {
            failure_ = failure;
            return;
        }
    }
}

}  // namespace kestrova
