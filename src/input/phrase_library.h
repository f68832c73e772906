#pragma once
// The writer's own 51 phrases, kept in "date.txt" where ProgramService::phraseFile() says:
// the working folder's when there is one, else the per-user data folder, whose missing
// folders "enter" creates owner-only.

#include <cstdint>

namespace pennory::app {
class Form1;
}

namespace pennory::input {

void loadPhrases(app::Form1& form);   // "selfdo", after the view switch
void storePhrases(app::Form1& form);  // "enter"
void insertPhrase(app::Form1& form, std::int16_t index);

}  // namespace pennory::input
