#include "input/quick_insert.h"

#include "app/form1.h"

namespace pennory::input {

void insertSymbol(app::Form1&, std::int16_t) {}
void insertTerm(app::Form1&, std::int16_t) {}

}  // namespace pennory::input
