#pragma once
// Writing XML text: escaping, and what XML 1.0 cannot hold at all.

#include <string>
#include <string_view>

#include "platform/text/styled_text.h"

namespace pennory::text {

// True when XML 1.0 can carry the character: tab, LF, CR, U+0020..U+D7FF,
// U+E000..U+FFFD and (as pairs) everything beyond U+FFFF. Not the other control
// characters, U+FFFE, U+FFFF or a lone surrogate.
bool xmlCanHold(char32_t c);
// True when every character of the text can be written as XML 1.0 (CR LF line breaks are
// written as the format's own breaks, so they count as fine).
bool xmlCanHold(const StyledText& content);

// text as UTF-8 with &, <, > and (for attributes) " escaped. Characters XML cannot hold must
// have been refused before; they are left out here.
std::string xmlEscaped(std::u16string_view text);

}  // namespace pennory::text
