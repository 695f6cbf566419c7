// A setting page's data exchange, walked from its model's table: every row's control (and each of its
// parts) exchanged with the member it is bound to, in table order.
#pragma once

#include "framework/DataExchange.h"
#include "settings/SettingRow.h"

namespace detail {

inline void ExchangeControl(CDataExchange* dx, int control, velmora::Shown shown,
                            velmora::BoundMember member) {
    using velmora::Shown;
    switch (shown) {
        case Shown::kCheck:
        case Shown::kFolder:
            DDX_Check(dx, control, *member.number);
            break;
        case Shown::kArrows:
            DDX_Radio(dx, control, *member.number);
            break;
        case Shown::kIconSize:
            DDX_CBIndex(dx, control, *member.number);
            break;
        case Shown::kMenuDelay:
        case Shown::kUserName:
        case Shown::kPassword:
            DDX_Text(dx, control, *member.text);
            break;
    }
}

}  // namespace detail

template <class Model>
void ExchangeRows(CDataExchange* dx, Model& model) {
    for (const auto& row : Model::Table()) {
        if (row.control != 0) {
            detail::ExchangeControl(dx, row.control, row.shown, model.Bind(row.shown, row.row));
        }
        for (std::size_t part = 0; part < row.parts.size(); ++part) {
            const velmora::RowPart& p = row.parts[part];
            detail::ExchangeControl(dx, p.control, p.shown, model.Bind(p.shown, static_cast<int>(part)));
        }
    }
}
