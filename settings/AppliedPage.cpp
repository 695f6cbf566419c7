#include "settings/AppliedPage.h"

#include "settings/ApplyCycle.h"

namespace velmora {

std::string AppliedPage::RowName(int row) {
    return PlainCaption(Rows().RowCaption(row));
}

}  // namespace velmora
