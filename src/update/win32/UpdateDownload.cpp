#include "update/win32/UpdateDownload.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/AppError.h"
#include "platform/win32/WideString.h"
#include "update/DownloadNames.h"
#include "update/DownloadPipeline.h"
#include "update/win32/UpdateSignatureCheck.h"
#include "update/win32/WinHttpRequest.h"

namespace kestrova {

namespace {

// A signature file is one short line; anything longer is not one.
constexpr std::size_t kSignatureFileLimit = 1024;
// How long the reading thread keeps bytes before the writer gets them.
constexpr std::chrono::milliseconds kLongestHold{200};
// No installer or archive of the program comes near this; a server sending more is not
// sending an update, and would otherwise fill the disk.
constexpr std::int64_t kDownloadLimit = std::int64_t{512} * 1024 * 1024;

std::optional<UpdateSignature> FetchSignature(const DownloadOrder& order)
{
    WinHttpRequest request(RequestUrl(order.url + ".sig"), order.options);
    if (request.Status() != 200)
        return std::nullopt;
    std::string text;
    char buffer[512];
    while (const std::size_t read = request.Read(buffer, sizeof buffer)) {
        text.append(buffer, read);
        if (text.size() > kSignatureFileLimit)
            return std::nullopt;
    }
    return ParseSignatureFile(text);
}

}  // namespace

UpdateDownload::UpdateDownload(DownloadOrder order, HWND window, UINT message)
    : order_(std::move(order)), savedName_(Widen(order_.fileName)), window_(window), message_(message)
{
}

std::shared_ptr<UpdateDownload> UpdateDownload::Start(DownloadOrder order, HWND window, UINT message)
{
    std::shared_ptr<UpdateDownload> download(new UpdateDownload(std::move(order), window, message));
    // The worker holds the download too: a cancelled one lives on until its worker has
    // deleted what it wrote.
    std::thread([download] { download->Run(); }).detach();
    return download;
}

DownloadProgress UpdateDownload::Progress()
{
    newsPosted_ = false;
    std::lock_guard lock(mutex_);
    return progress_;
}

void UpdateDownload::Cancel() { cancelled_ = true; }

void UpdateDownload::Notify()
{
    if (!cancelled_ && !newsPosted_.exchange(true))
        PostMessageW(window_, message_, 0, 0);
}

void UpdateDownload::Run()
{
    DownloadOutcome outcome = DownloadOutcome::Failed;
    std::string error;
    try {
        outcome = Transfer();
    } catch (const std::exception& failure) {
        error = failure.what();
    }
    if (outcome != DownloadOutcome::Verified || cancelled_)
        file_.reset();  // deletes what was written
    {
        std::lock_guard lock(mutex_);
        progress_.outcome = outcome;
        progress_.error = error;
    }
    Notify();
}

DownloadOutcome UpdateDownload::Transfer()
{
    // The signature first: without one nothing is worth downloading.
    const std::optional<UpdateSignature> signature = FetchSignature(order_);
    if (!signature)
        return DownloadOutcome::Rejected;
    if (cancelled_)
        return DownloadOutcome::Failed;

    WinHttpRequest request(RequestUrl(order_.url), order_.options);
    if (const int status = request.Status(); status != 200)
        throw AppError("HTTP status " + std::to_string(status));
    const std::int64_t announced = request.ContentLength().value_or(0);
    if (announced > kDownloadLimit)
        throw AppError("The download announces " + std::to_string(announced) + " bytes, more than an update can be");
    UpdateSignatureCheck check(order_.key, order_.fileName, order_.version);
    file_ = std::make_unique<DownloadFile>(order_.folder, savedName_);
    {
        std::lock_guard lock(mutex_);
        progress_.begun = true;
        progress_.announced = announced;
    }
    Notify();

    // This thread only reads; the pipeline's worker writes and hashes what it read, and
    // reports the bytes written.
    DownloadFile& file = *file_;
    DownloadPipeline pipeline(
        [&file, &check](const char* bytes, std::size_t size) {
            file.Write(bytes, size);
            check.Add(bytes, size);
        },
        [this](std::int64_t written) {
            {
                std::lock_guard lock(mutex_);
                progress_.received = written;
            }
            Notify();
        });
    std::int64_t received = 0;
    for (bool ended = false; !ended;) {
        char* buffer = pipeline.Acquire();
        std::size_t filled = 0;
        // A buffer goes on when full, or after a while on a slow line, so that the
        // progress keeps moving however slowly the bytes come.
        const auto handOverBy = std::chrono::steady_clock::now() + kLongestHold;
        while (filled < DownloadPipeline::kBufferBytes &&
               (filled == 0 || std::chrono::steady_clock::now() < handOverBy)) {
            if (cancelled_)
                return DownloadOutcome::Failed;
            // Only what has arrived: a read of more waits until that much is there.
            const std::size_t available = request.Available();
            const std::size_t read =
                available ? request.Read(buffer + filled, std::min(available, DownloadPipeline::kBufferBytes - filled))
                          : 0;
            if (read == 0) {
                ended = true;
                break;
            }
            filled += read;
            if (received + static_cast<std::int64_t>(filled) > kDownloadLimit)
                throw AppError("The download goes on past " + std::to_string(kDownloadLimit) +
                               " bytes, more than an update can be");
        }
        pipeline.Submit(filled);
        received += static_cast<std::int64_t>(filled);
    }
    pipeline.Finish();
    if (announced > 0 && received != announced)
        throw AppError("The transfer broke off after " + std::to_string(received) + " of " +
                       std::to_string(announced) + " bytes");
    return check.Matches(*signature) ? DownloadOutcome::Verified : DownloadOutcome::Rejected;
}

void UpdateDownload::Commit()
{
    if (!file_)
        throw AppError("No verified download to put in place");
    file_->Commit();
    file_.reset();
}

}  // namespace kestrova
