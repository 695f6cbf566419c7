// An in-memory registry and recording fakes of every system service, bundled as the models expect them.
#pragma once

#include "registry/MemoryRegistry.h"
#include "system/Services.h"
#include "system/fakes/RecordingFakes.h"

namespace velmora {

struct FakeServices {
    Journal journal;
    MemoryRegistry registry;
    FakeSystemParameters parameters{journal};
    FakeBroadcaster broadcaster{journal};
    FakeDirectories directories{journal};
    FakeMessageBoxes messages{journal};
    FakeRestarter restarter{journal};
    FakeShell shell{journal};
    FakeHelpViewer help{journal};

    Services Get() { return Get(registry); }
    // The same fakes over another registry (a recording or viewed one over this one, say).
    Services Get(Registry& other) {
        return Services{other, parameters, broadcaster, directories, messages, restarter, shell, help};
    }
};

}  // namespace velmora
