// The engine's sweep with a host that does nothing: what Scourway.exe costs
// without its window. A benchmark row, not a tool.
//   enginewalk <directory> <pattern>...
#include <windows.h>
#include <cstdio>
#include "sweep.h"
#include "error.h"

namespace {

class SilentHost : public modMain::SweepHost {
public:
    void EnterFolder(const std::wstring&) override {}
    bool Yield() override { return true; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: enginewalk <directory> <pattern>...\n");
        return 2;
    }
    modMain::FileCollection patterns;
    for (int i = 2; i < argc; ++i) {
        const int32_t key = patterns.NextKey();
        patterns.Add(modMain::cFileItem{argv[i], key}, modMain::FileCollection::KeyText(key));
    }
    SilentHost host;
    modMain::Sweep sweep(host, patterns);
    int32_t directories = 0;
    int32_t files = 0;
    try {
        sweep.SweepFolder(argv[1], directories, files);
    } catch (const win32::Error& failure) {
        std::fprintf(stderr, "enginewalk: %s\n", failure.what());
        return 1;
    }
    std::printf("enginewalk: %d directories, %d matches, %d not deleted, %d already gone\n", directories, files,
                sweep.FailedDeletions(), sweep.AlreadyGone());
    return 0;
}
