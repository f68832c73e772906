#pragma once
// One-click insertion into the manuscript: keypad symbols and word-bank terms.

#include <cstdint>

namespace pennory::app {
class Form1;
}

namespace pennory::input {

void insertSymbol(app::Form1& form, std::int16_t index);
void insertTerm(app::Form1& form, std::int16_t index);

}  // namespace pennory::input
