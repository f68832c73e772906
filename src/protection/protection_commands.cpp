#include "protection/protection_commands.h"

#include "app/form1.h"

namespace pennory::protection {

void login(app::Form1&) {}
void changePassword(app::Form1&) {}
void encrypt(app::Form1&) {}
void decrypt(app::Form1&) {}

}  // namespace pennory::protection
