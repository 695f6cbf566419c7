// The floor of the three list loads in a console process of its own: see FloorCalls.h.
#include "bench/FloorCalls.h"
#include "bench/StartupMarks.h"

int main() {
    for (const char* page : {"Add/Remove", "New", "Folders/Run"}) {
        velmora::bench::MeasureFloor("", page);
    }
    velmora::bench::WriteMarks();
    return 0;
}
