// The system's ANSI code page (CP_ACP) through kernel32's conversions, which every Windows since 95 has.
#pragma once

#include "text/CodePage.h"

namespace velmora::text {

class SystemAnsiCodePage : public CodePage {
  public:
    // Whether a lone U+DC80..U+DCFF inside stands for a byte the code page could not decode (text that
    // came from the A calls), or is a character of its own (text from the W calls, which has no form in
    // any code page).
    enum Escapes { kBytesKept, kNoBytes };
    explicit SystemAnsiCodePage(Escapes escapes) : escapes_(escapes) {}

    std::string Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::string_view utf8) const override;
    std::string EncodeLossy(std::string_view utf8) const override;

  private:
    const Escapes escapes_;
};

}  // namespace velmora::text
