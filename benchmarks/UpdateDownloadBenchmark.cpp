// Measures the update download against the least a download can do: a 64 MiB file served
// on 127.0.0.1 by the update tests' server is fetched through the program's own download
// (signature file, streaming into its file beside the signature check, the window's news)
// and through a bare WinHTTP loop that reads the body and drops it. Prints the wall time of
// each (best of 3 after a warm-up, taking turns), their ratio, and the peak private memory of this process
// above its idle level while the program's download ran, sampled at every piece of news.
//
// Usage: kestrova_update_download_benchmark   (on Windows or under Wine)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "UpdateTestServer.h"
#include "platform/win32/WideString.h"
#include "update/win32/UpdateDownload.h"
#include "update/win32/WinHttpRequest.h"

namespace kestrova {
namespace {

constexpr char kHost[] = "download.kestrova.org";
constexpr char kPath[] = "/download/Kestrova/Kestrova-setup.exe";
constexpr std::size_t kFileBytes = 64u << 20;
constexpr UINT kNews = WM_APP + 1;

double Seconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// The process's commit charge: its private memory. (PagefileUsage, which Windows fills
// as it fills PrivateUsage and Wine fills where it leaves PrivateUsage at zero.)
std::size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// The benchmark file, written beside this program (so the server, a Linux program, finds
// it by the same path without the drive letter).
std::string WriteBenchmarkFile(const std::string& linuxFolder)
{
    const std::string linuxPath = linuxFolder + "/update-download-benchmark.bin";
    std::wstring path = Widen("Z:" + linuxPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7919 >> 3);
    DWORD written = 0;
    for (std::size_t done = 0; done < kFileBytes; done += block.size())
        WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    CloseHandle(file);
    return linuxPath;
}

HttpClientOptions ThroughServer(const UpdateTestServer& server)
{
    HttpClientOptions options;
    options.proxyHost = "127.0.0.1";
    options.proxyPort = server.Port();
    return options;
}

struct DownloadRun {
    double seconds = 0;
    std::size_t peakPrivate = 0;
    bool verified = false;
};

DownloadRun ProgramDownload(const UpdateTestServer& server, const std::wstring& folder)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DownloadOrder order;
    order.url = std::string("http://") + kHost + kPath;
    order.fileName = "Kestrova-setup.exe";
    order.version = "99.0.0.1";
    order.folder = folder;
    order.options = ThroughServer(server);
    order.key = BuiltInUpdateKey();
    DownloadRun run;
    run.peakPrivate = PrivateBytes();
    const auto start = std::chrono::steady_clock::now();
    std::shared_ptr<UpdateDownload> download = UpdateDownload::Start(order, window, kNews);
    DownloadProgress progress;
    MSG message;
    while (progress.outcome == DownloadOutcome::Running && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == kNews) {
            progress = download->Progress();
            run.peakPrivate = std::max(run.peakPrivate, PrivateBytes());
        }
    }
    if (progress.outcome == DownloadOutcome::Verified)
        download->Commit();
    run.seconds = Seconds(std::chrono::steady_clock::now() - start);
    run.verified = progress.outcome == DownloadOutcome::Verified && progress.received == kFileBytes;
    DestroyWindow(window);
    DeleteFileW((folder + L"Kestrova-setup.exe").c_str());
    return run;
}

double BareDownload(const UpdateTestServer& server)
{
    const auto start = std::chrono::steady_clock::now();
    WinHttpRequest request(std::string("http://") + kHost + kPath, ThroughServer(server));
    std::vector<char> piece(64 * 1024);
    std::size_t total = 0;
    while (const std::size_t read = request.Read(piece.data(), piece.size()))
        total += read;
    if (total != kFileBytes)
        std::printf("bare loop received %zu bytes\n", total);
    return Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace
}  // namespace kestrova

int main()
{
    using namespace kestrova;
    UpdateTestServer server;
    const std::string source = WriteBenchmarkFile(KESTROVA_BENCHMARK_DIR);
    ServedFile file;
    file.source = source;
    file.version = "99.0.0.1";
    server.Serve(kHost, kPath, file);
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);

    // Idle is before any download: what loading WinHTTP and CNG costs counts as the
    // download's. The first turn is a warm-up for the times.
    const std::size_t idle = PrivateBytes();
    double program = 1e9;
    double bare = 1e9;
    std::size_t peak = idle;
    bool verified = true;
    for (int turn = 0; turn < 4; ++turn) {
        const DownloadRun run = ProgramDownload(server, temp);
        const double bareSeconds = BareDownload(server);
        peak = std::max(peak, run.peakPrivate);
        verified = verified && run.verified;
        if (turn == 0)
            continue;
        program = std::min(program, run.seconds);
        bare = std::min(bare, bareSeconds);
    }
    std::printf("64 MiB from 127.0.0.1, best of 3:\n");
    std::printf("  program's download (signature checked, file written): %.3f s%s\n", program,
                verified ? "" : "  (NOT verified: the figures do not count)");
    std::printf("  bare WinHTTP read loop:                               %.3f s\n", bare);
    std::printf("  time ratio: %.2f (goal <= 1.2)\n", program / bare);
    std::printf("  peak private memory above idle: %.1f MiB (goal <= 16; idle %.1f MiB, peak %.1f MiB)\n",
                static_cast<double>(peak > idle ? peak - idle : 0) / (1 << 20), static_cast<double>(idle) / (1 << 20),
                static_cast<double>(peak) / (1 << 20));
    DeleteFileW((L"Z:" + Widen(source)).c_str());
    return verified ? 0 : 1;
}
