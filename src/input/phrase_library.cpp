#include "input/phrase_library.h"

#include "app/form1.h"

namespace pennory::input {

void loadPhrases(app::Form1&) {}
void storePhrases(app::Form1&) {}
void insertPhrase(app::Form1&, std::int16_t) {}

}  // namespace pennory::input
