#pragma once
// The writer's own 51 phrases, kept in "date.txt" in the working folder.

#include <cstdint>

namespace pennory::app {
class Form1;
}

namespace pennory::input {

void loadPhrases(app::Form1& form);   // "selfdo", after the view switch
void storePhrases(app::Form1& form);  // "enter"
void insertPhrase(app::Form1& form, std::int16_t index);

}  // namespace pennory::input
