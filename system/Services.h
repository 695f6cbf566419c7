// Everything outside the program that its logic talks to, handed to the models as one bundle.
#pragma once

#include "registry/Registry.h"
#include "system/Broadcaster.h"
#include "system/Directories.h"
#include "system/HelpViewer.h"
#include "system/MessageBoxes.h"
#include "system/Restarter.h"
#include "system/Shell.h"
#include "system/SystemParameters.h"

namespace velmora {

struct Services {
    Registry& registry;
    SystemParameters& parameters;
    Broadcaster& broadcaster;
    Directories& directories;
    MessageBoxes& messages;
    Restarter& restarter;
    Shell& shell;
    HelpViewer& help;
};

}  // namespace velmora
