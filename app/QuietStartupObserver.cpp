// The shipped program's watcher of its start-up: it does nothing.
#include "pages/StartupObserver.h"

namespace velmora {

StartupObserver& TheStartupObserver() {
    static StartupObserver quiet;
    return quiet;
}

}  // namespace velmora
