#pragma once
// Login password and the document cipher's commands.

namespace pennory::app {
class Form1;
}

namespace pennory::protection {

void login(app::Form1& form);
void changePassword(app::Form1& form);
void encrypt(app::Form1& form);
void decrypt(app::Form1& form);

}  // namespace pennory::protection
