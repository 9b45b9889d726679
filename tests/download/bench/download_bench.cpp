// The download benchmark's Windows side: downloads a list of files with the download manager,
// driven as the launcher drives it (a worker thread ticking it every 2 ms), and prints the time.
//   download_bench.exe <list> <base url> <output folder> [<seconds file>]
// Each line of the list: <relative path> <size> <md5>, separated by single spaces; an md5 of
// "-" downloads the file without the whole-file check.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/thread_ids.h"
#include "base/framework_thread.h"
#include "base/message_loop.h"
#include "base/thread_registry.h"
#include "download/download_manager.h"

namespace {

struct Entry {
    std::string path;
    std::int64_t size = 0;
    std::string md5;
};

std::atomic<int> g_done{0};
std::atomic<int> g_failed{0};
HANDLE g_allDone = nullptr;
int g_expected = 0;

void OnDone(int, DownloadResult result, std::string url, std::string message) {
    if (result != DownloadResult::kSuccess) {
        std::fprintf(stderr, "failed: %s: %d %s\n", url.c_str(), ResultCode(result), message.c_str());
        ++g_failed;
    }
    if (++g_done == g_expected) ::SetEvent(g_allDone);
}

// The worker: ticks the manager every 2 ms from the end of one tick to the start of the next.
class Worker : public kbase::FrameworkThread {
public:
    Worker() : FrameworkThread("BenchWorker") {}
    ~Worker() override { Stop(); }

protected:
    void Init() override {
        auto* registry = kbase::ThreadRegistry::GetInstance();
        registry->AddCurrentThread(kWorkerThreadId);
        registry->PostRecurringTask(kWorkerThreadId, MakeWeakCallback([] { DownloadManager::Instance().Tick(); }),
                                    2000, -1);
    }
    void Cleanup() override {
        DownloadManager::Instance().Shutdown();
        kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: download_bench <list> <base url> <output folder> [<seconds file>]\n");
        return 2;
    }
    std::vector<Entry> entries;
    std::ifstream list(argv[1]);
    for (std::string line; std::getline(list, line);) {
        std::istringstream fields(line);
        Entry entry;
        if (!(fields >> entry.path >> entry.size >> entry.md5)) continue;
        if (entry.md5 == "-") entry.md5.clear();
        entries.push_back(entry);
    }
    if (entries.empty()) return 2;
    g_expected = static_cast<int>(entries.size());
    g_allDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const std::string base = argv[2];
    const std::string output = argv[3];

    Worker worker;
    worker.StartWithLoop(kbase::MessageLoop::kDefaultLoop);
    const auto start = std::chrono::steady_clock::now();
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [&] {
        DownloadManager& manager = DownloadManager::Instance();
        manager.Init();
        manager.activeUrls = {base};
        std::int64_t total = 0;
        for (const Entry& entry : entries) {
            std::string local = output + "\\" + entry.path;
            for (char& c : local) {
                if (c == '/') c = '\\';
            }
            manager.DownloadFile(entry.path, local, entry.md5, entry.size, &OnDone, nullptr, 5);
            total += entry.size;
        }
        manager.totalBytes = total;
    });
    ::WaitForSingleObject(g_allDone, INFINITE);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    worker.Stop();
    std::printf("%.3f\n", seconds);
    if (argc == 5) std::ofstream(argv[4]) << seconds << "\n";  // for callers that time the process
    return g_failed == 0 ? 0 : 1;
}
