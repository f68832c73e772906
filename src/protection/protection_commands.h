#pragma once
// Login password and the document cipher's commands. Every password prompt is masked.

namespace pennory::app {
class Form1;
}

namespace pennory::protection {

// Asks for the login password and, when it matches the stored one exactly, enables
// "文稿加密", "文稿解密" and "更改密码"; a wrong one is told and changes nothing. With no
// password file yet (nor its folder), asks for a first password instead, stores it and asks
// the writer to log in. A password file that exists but gives no line ends it silently. A
// first password that could not be read back as typed (a line break in it, say) is refused
// with a message and not stored.
void login(app::Form1& form);
// Asks for the old password, then the new one, and stores it. A wrong old password, or a
// password file that cannot be read or written, is told and leaves the file as it was; so
// does a new password that could not be read back as typed.
void changePassword(app::Form1& form);
// Replace the manuscript by its scrambled [unscrambled] plain text when mayEncrypt
// [mayDecrypt] allows, and swap the two permissions; otherwise tell that the direction is
// done. Before scrambling characters that could not be restored, encrypt asks Yes/No, with
// No the default (Enter, Esc and the close box answer No), and changes nothing unless the
// answer is Yes.
void encrypt(app::Form1& form);
void decrypt(app::Form1& form);

}  // namespace pennory::protection
