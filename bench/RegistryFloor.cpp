// The floor of the three list loads in a console process of its own: the program's own reading code
// walks the registry once through a recorder (not timed), then each list's calls are made again bare
// and timed (bench/CallScript.h).
#include <memory>
#include <string>

#include "bench/CallScript.h"
#include "bench/StartupMarks.h"
#include "registry/Win32Registry.h"
#include "settings/StartupLists.h"

int main() {
    velmora::Win32Registry own;
    velmora::bench::RecordingRegistry recorder(own);
    struct Load {
        std::string name;
        velmora::bench::CallScript script;
    };
    std::vector<Load> loads;
    velmora::ReadStartupLists(
        recorder, [] { return false; },
        [&](std::unique_ptr<velmora::StartupList> list) {
            loads.push_back({velmora::bench::ListName(list->page), recorder.Take()});
        });
    for (const Load& load : loads) {
        velmora::bench::Mark((load.name + " begin").c_str());
        velmora::bench::Replay(load.script);
        velmora::bench::Mark((load.name + " end").c_str());
    }
    velmora::bench::WriteMarks();
    return 0;
}
