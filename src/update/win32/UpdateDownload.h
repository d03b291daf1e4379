// One download of an update, on a worker thread of its own so that the window never waits
// for the network: first the signature file beside the download, then the file itself,
// streamed into a DownloadFile while its signature check is fed. Only a file whose
// signature holds can be committed under its name.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "update/HttpClient.h"
#include "update/UpdateSignature.h"
#include "update/win32/DownloadFile.h"

namespace kestrova {

struct DownloadOrder {
    std::string url;       // as the check found it
    std::string fileName;  // the name it is saved and signed under
    std::string version;   // the version it is signed for
    std::wstring folder;   // where it is saved, ending with a backslash
    HttpClientOptions options;
    UpdatePublicKey key;
};

enum class DownloadOutcome {
    Running,
    Verified,  // whole, and its signature holds: ready to be committed
    Rejected,  // no signature, a malformed one, or one that does not hold
    Failed,    // no answer, an error status, a broken transfer or a file that cannot be written
};

struct DownloadProgress {
    bool begun = false;           // the response has begun
    std::int64_t announced = 0;   // the size the server announced; 0 when none
    std::int64_t received = 0;    // bytes written so far
    DownloadOutcome outcome = DownloadOutcome::Running;
    std::string error;            // what failed, for Failed
};

class UpdateDownload {
public:
    // Starts the download. `window` is posted `message` whenever there is news, at most
    // one at a time: Progress() reads it and allows the next.
    static std::shared_ptr<UpdateDownload> Start(DownloadOrder order, HWND window, UINT message);

    DownloadProgress Progress();
    // The worker stops at its next piece or when the transfer breaks off, deleting what it
    // wrote, and posts nothing more.
    void Cancel();
    // Puts a Verified file in place under its name; throws AppError when it cannot.
    void Commit();
    std::wstring SavedPath() const { return order_.folder + savedName_; }

private:
    UpdateDownload(DownloadOrder order, HWND window, UINT message);
    void Run();
    DownloadOutcome Transfer();
    void Notify();

    const DownloadOrder order_;
    const std::wstring savedName_;
    const HWND window_;
    const UINT message_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> newsPosted_{false};
    std::mutex mutex_;
    DownloadProgress progress_;       // guarded by mutex_
    std::unique_ptr<DownloadFile> file_;  // the worker's until the outcome; then the window thread's
};

}  // namespace kestrova
