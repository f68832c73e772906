// The login password through the "文稿加密" menu: first use, login, change, and what the
// password file holds afterwards, byte for byte.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

namespace fs = std::filesystem;
using Shown = headless::ScriptedMessages::Shown;

constexpr fs::perms kOwnerOnlyFile = fs::perms::owner_read | fs::perms::owner_write;

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::perms permissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

// While it lives, no file can grow beyond zero bytes, even for root: the write fails the
// way a full disk makes it fail.
class NoRoomForFiles {
public:
    NoRoomForFiles() {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = signal(SIGXFSZ, SIG_IGN);
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoRoomForFiles() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

class Password : public FormTest {
protected:
    Password() { usePasswordFile(m_dir / "print.txt"); }

    void usePasswordFile(const fs::path& path) { platform().program.m_passwordFile = path; }
    fs::path file() { return platform().program.m_passwordFile; }

    void login(std::optional<std::u16string> entry) {
        if (entry) messages().nextInput(*entry);
        clickMenu({u"文稿加密", u"请输入密码"});
    }
    void changePassword(std::optional<std::u16string> oldEntry,
                        std::optional<std::u16string> newEntry = std::nullopt) {
        if (oldEntry) messages().nextInput(*oldEntry);
        if (newEntry) messages().nextInput(*newEntry);
        clickMenu({u"文稿加密", u"更改密码"});
    }

    bool unlocked() {
        const bool encrypt = menuEnabled({u"文稿加密", u"入口", u"文稿加密"});
        const bool decrypt = menuEnabled({u"文稿加密", u"入口", u"文稿解密"});
        const bool change = menuEnabled({u"文稿加密", u"更改密码"});
        EXPECT_TRUE(encrypt == decrypt && decrypt == change) << "partly unlocked";
        return encrypt && decrypt && change;
    }

    // Logs in with a stored password and forgets what was shown.
    void loggedInWith(const std::string& storedBytes, const std::u16string& entry) {
        writeBytes(file(), storedBytes);
        login(entry);
        ASSERT_TRUE(unlocked());
        messages().forget();
    }

    const std::vector<Shown>& shown() { return messages().shown(); }

    static Shown prompt(std::u16string text) {
        return {std::move(text), 0, u"Pennory", true, true};
    }
    static Shown notice(std::u16string text) {
        return {std::move(text), 0, u"Pennory", false, false};
    }

    TempDir m_dir;
};

void expectShown(const std::vector<Shown>& actual, const std::vector<Shown>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(utf8(actual[i].prompt), utf8(expected[i].prompt));
        EXPECT_EQ(actual[i].input, expected[i].input);
        EXPECT_EQ(actual[i].masked, expected[i].masked);
        EXPECT_EQ(actual[i].style, expected[i].style);
        EXPECT_EQ(utf8(actual[i].title), utf8(expected[i].title));
    }
}

TEST_F(Password, FirstUseStoresTheEntryAsOneLineAndAsksToLogIn) {
    // 文 is CE C4 and 稿 B8 E5 in code page 936.
    const std::u16string password = u" 文稿 a,\"b\" ";
    login(password);
    expectShown(shown(),
                {prompt(u"首次使用，请设置登录密码："), notice(u"密码已设置成功，请重新登录！")});
    EXPECT_EQ(readBytes(file()), " \xCE\xC4\xB8\xE5 a,\"b\" \r\n");
    EXPECT_EQ(permissionsOf(file()), kOwnerOnlyFile);
    EXPECT_FALSE(unlocked());

    messages().forget();
    login(password);
    expectShown(shown(), {prompt(u"请输入登录密码：")});
    EXPECT_TRUE(unlocked());
}

// The euro sign is 0x80 in code page 936, as Windows writes it; a character that code page
// lacks makes the whole line GB18030, where it is A2 E3.
TEST_F(Password, FirstUseStoresTheEuroSignAsCodePage936Has) {
    login(u"€100");
    EXPECT_EQ(readBytes(file()),
              "\x80"
              "100\r\n");
    messages().forget();
    login(u"€100");
    EXPECT_TRUE(unlocked());
}

TEST_F(Password, FirstUseStoresGb18030WhenACharacterNeedsIt) {
    login(u"€한");
    EXPECT_EQ(readBytes(file()), "\xA2\xE3\x83\x36\x84\x33\r\n");
    messages().forget();
    login(u"€한");
    EXPECT_TRUE(unlocked());
}

TEST_F(Password, FirstUseCreatesTheMissingFoldersOwnerOnly) {
    const fs::perms before = permissionsOf(m_dir.path());
    usePasswordFile(m_dir / "config" / "pennory" / "print.txt");
    login(u"pw");
    EXPECT_EQ(readBytes(file()), "pw\r\n");
    EXPECT_EQ(permissionsOf(m_dir / "config"), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(m_dir / "config" / "pennory"), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(file()), kOwnerOnlyFile);
    EXPECT_EQ(permissionsOf(m_dir.path()), before);
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].prompt, u"密码已设置成功，请重新登录！");
}

TEST_F(Password, FirstUseCancelStoresTheEmptyPasswordWhichCancelThenMatches) {
    login(std::nullopt);
    EXPECT_EQ(readBytes(file()), "\r\n");
    EXPECT_FALSE(unlocked());
    messages().forget();
    login(std::nullopt);
    expectShown(shown(), {prompt(u"请输入登录密码：")});
    EXPECT_TRUE(unlocked());
}

struct LoginCase {
    const char* name;
    std::string stored;                   // the password file's bytes
    std::optional<std::u16string> entry;  // nullopt: Cancel
    bool matches;
};

// Shown by name in test listings.
void PrintTo(const LoginCase& row, std::ostream* out) { *out << row.name; }

class LoginComparison : public Password, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(LoginComparison, UnlocksOnlyOnAnExactMatch) {
    const LoginCase& row = GetParam();
    writeBytes(file(), row.stored);
    login(row.entry);
    EXPECT_EQ(unlocked(), row.matches);
    if (row.matches) {
        expectShown(shown(), {prompt(u"请输入登录密码：")});
    } else {
        expectShown(shown(), {prompt(u"请输入登录密码："), notice(u"密码错误，请重新输入！")});
    }
    EXPECT_EQ(readBytes(file()), row.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoginComparison,
    ::testing::Values(LoginCase{"same", "Secret\r\n", u"Secret", true},
                      LoginCase{"lower case", "Secret\r\n", u"secret", false},
                      LoginCase{"upper case", "Secret\r\n", u"SECRET", false},
                      LoginCase{"commas quotes blanks", " a, \"b\" \r\n", u" a, \"b\" ", true},
                      LoginCase{"blanks trimmed", " a, \"b\" \r\n", u"a, \"b\"", false},
                      LoginCase{"empty stored, empty entry", "\r\n", u"", true},
                      LoginCase{"empty stored, Cancel", "\r\n", std::nullopt, true},
                      LoginCase{"empty stored, entry", "\r\n", u"x", false},
                      LoginCase{"Cancel", "Secret\r\n", std::nullopt, false},
                      LoginCase{"Chinese in code page 936", "\xCE\xC4\xB8\xE5\r\n", u"文稿", true},
                      LoginCase{"euro of code page 936",
                                "\x80"
                                "5\r\n",
                                u"€5", true},
                      LoginCase{"euro of GB18030",
                                "\xA2\xE3"
                                "5\r\n",
                                u"€5", true},
                      LoginCase{"first line only, lone LF", "abc\nxyz\r\n", u"abc", true},
                      LoginCase{"first line only, CR LF", "abc\r\nxyz\r\n", u"abc\r\nxyz", false},
                      LoginCase{"no line end", "abc", u"abc", true},
                      // F1 AB BF AE is also valid UTF-8; the file is never guessed.
                      LoginCase{"GBK that is valid UTF-8", "\xF1\xAB\xBF\xAE\r\n", u"瘾慨", true},
                      LoginCase{"UTF-8 with its mark", "\xEF\xBB\xBF\xE7\x98\xBE\r\n", u"瘾", true},
                      LoginCase{"UTF-8 without a mark", "\xE7\x98\xBE\r\n", u"瘾", false}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

TEST_F(Password, WrongPasswordAfterUnlockKeepsTheCommandsAndLoginAgainChangesNothing) {
    loggedInWith("pw\r\n", u"pw");
    login(u"PW");
    EXPECT_TRUE(unlocked());
    expectShown(shown(), {prompt(u"请输入登录密码："), notice(u"密码错误，请重新输入！")});
    messages().forget();
    login(u"pw");
    EXPECT_TRUE(unlocked());
    expectShown(shown(), {prompt(u"请输入登录密码：")});
}

TEST_F(Password, AnEmptyOrUnopenablePasswordFileEndsLoginSilently) {
    writeBytes(file(), "");
    login(u"");
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(unlocked());
    EXPECT_EQ(readBytes(file()), "");

    usePasswordFile(m_dir / "folder");
    fs::create_directory(file());
    login(u"");
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(unlocked());
    EXPECT_TRUE(fs::is_directory(file()));
}

TEST_F(Password, ChangeAsksForTheOldPasswordThenStoresTheNewOne) {
    loggedInWith("old\r\n", u"old");
    changePassword(u"old", u"新 pw,\"");
    expectShown(shown(), {prompt(u"请输入旧密码："), prompt(u"请输入新密码："),
                          notice(u"密码更改成功，请记住新密码！")});
    EXPECT_EQ(readBytes(file()), "\xD0\xC2 pw,\"\r\n");  // 新 is D0 C2
    EXPECT_EQ(permissionsOf(file()), kOwnerOnlyFile);

    messages().forget();
    login(u"old");
    EXPECT_EQ(shown().back().prompt, u"密码错误，请重新输入！");
    messages().forget();
    login(u"新 pw,\"");
    expectShown(shown(), {prompt(u"请输入登录密码：")});
}

TEST_F(Password, WrongOrCancelledOldPasswordLeavesTheFileByteForByte) {
    const std::string original = "old\nsecond line\r\n";
    loggedInWith(original, u"old");
    for (const auto& entry :
         {std::optional<std::u16string>(u"OLD"), std::optional<std::u16string>(u"old\nsecond line"),
          std::optional<std::u16string>()}) {
        changePassword(entry);
        expectShown(shown(), {prompt(u"请输入旧密码："), notice(u"输入旧密码有误，请重新输入！")});
        EXPECT_EQ(readBytes(file()), original);
        EXPECT_TRUE(unlocked());
        messages().forget();
    }
}

TEST_F(Password, CancelAtTheNewPasswordStoresTheEmptyPassword) {
    loggedInWith("old\r\n", u"old");
    changePassword(u"old", std::nullopt);
    EXPECT_EQ(readBytes(file()), "\r\n");
    EXPECT_EQ(shown().back().prompt, u"密码更改成功，请记住新密码！");
}

TEST_F(Password, ChangeWhenTheFileIsGoneTellsAndCreatesNothing) {
    loggedInWith("old\r\n", u"old");
    fs::remove(file());
    changePassword(u"old", u"new");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_FALSE(shown()[0].input);
    // The reason is the message's own text, not what a freed buffer holds by then.
    EXPECT_EQ(utf8(shown()[0].prompt), utf8(u"无法读取密码文件：\n" + file().u16string() +
                                            u"\n文件不存在。\n密码没有更改。"));
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(Password, ChangeWhenTheFileIsEmptyTellsAndKeepsIt) {
    loggedInWith("old\r\n", u"old");
    writeBytes(file(), "");
    changePassword(u"old", u"new");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].prompt.rfind(u"无法读取密码文件", 0), 0u) << utf8(shown()[0].prompt);
    EXPECT_EQ(readBytes(file()), "");
}

TEST_F(Password, FirstUseWhereNoFolderCanBeMadeTellsAndStaysLocked) {
    writeBytes(m_dir / "blocker", "a plain file");
    usePasswordFile(m_dir / "blocker" / "pennory" / "print.txt");
    login(u"pw");
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].prompt, u"首次使用，请设置登录密码：");
    EXPECT_TRUE(shown()[0].masked);
    EXPECT_EQ(shown()[1].prompt.rfind(u"无法保存密码文件", 0), 0u) << utf8(shown()[1].prompt);
    EXPECT_EQ(shown()[1].style, platform::vbOKOnly);
    EXPECT_EQ(readBytes(m_dir / "blocker"), "a plain file");
    EXPECT_FALSE(unlocked());
}

TEST_F(Password, FirstUseThatCannotWriteRemovesTheFoldersItMade) {
    usePasswordFile(m_dir / "config" / "pennory" / "print.txt");
    {
        NoRoomForFiles full;
        login(u"pw");
    }
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].prompt.rfind(u"无法保存密码文件", 0), 0u) << utf8(shown()[1].prompt);
    EXPECT_FALSE(fs::exists(m_dir / "config"));
    EXPECT_TRUE(fs::is_empty(m_dir.path()));
}

TEST_F(Password, ChangeThatCannotWriteKeepsTheOldPassword) {
    loggedInWith("old\r\n", u"old");
    {
        NoRoomForFiles full;
        changePassword(u"old", u"new");
    }
    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown()[2].prompt.rfind(u"无法保存密码文件", 0), 0u) << utf8(shown()[2].prompt);
    EXPECT_EQ(readBytes(file()), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 1);
    messages().forget();
    login(u"old");
    expectShown(shown(), {prompt(u"请输入登录密码：")});
}

TEST_F(Password, TheSubmenuOwnerDoesNothingOfItsOwn) {
    clickMenu({u"文稿加密", u"入口"});
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(unlocked());
    EXPECT_FALSE(fs::exists(file()));
}

// ---- Every password the first-use prompt takes logs in afterwards

struct CharacterClass {
    const char* name;
    std::u16string password;
};

void PrintTo(const CharacterClass& row, std::ostream* out) { *out << row.name; }

std::u16string printableAscii() {
    std::u16string all;
    for (char16_t c = 0x20; c < 0x7F; ++c) all += c;
    return all;
}

class FirstUseThenLogin : public Password, public ::testing::WithParamInterface<CharacterClass> {};

TEST_P(FirstUseThenLogin, LogsInWithTheSamePassword) {
    const std::u16string& password = GetParam().password;
    login(password);
    expectShown(shown(),
                {prompt(u"首次使用，请设置登录密码："), notice(u"密码已设置成功，请重新登录！")});
    messages().forget();
    login(password);
    expectShown(shown(), {prompt(u"请输入登录密码：")});
    EXPECT_TRUE(unlocked());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstUseThenLogin,
    ::testing::Values(
        CharacterClass{"ASCII", printableAscii()},
        CharacterClass{"blanks commas quotes", u"  a, \"b\" ,\t"},
        CharacterClass{"GB2312", u"瘾慨"}, CharacterClass{"GB2312 and digits", u"皓安2020"},
        CharacterClass{"one GB2312 character", u"说"}, CharacterClass{"GBK extension", u"丂丄纟鍂"},
        CharacterClass{"full-width punctuation", u"，。！？：；“”‘’（）【】、《》\u3000"},
        CharacterClass{"euro", u"€100"}, CharacterClass{"Latin-1 and Greek", u"café ±5% 10kΩ μF"},
        CharacterClass{"outside GBK, four bytes", u"한국어 ḿ ǹ"},
        CharacterClass{"outside the BMP", u"😀𠀀"},
        CharacterClass{"user-defined area", u"\uE000\uE4C6\uE525"}, CharacterClass{"empty", u""}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

// ---- Passwords that could not be read back are refused

constexpr char16_t kLineBreakRefused[] = u"密码中不能有换行，请重新输入！";

TEST_F(Password, FirstUseRefusesALineBreakAndStoresNothing) {
    for (const std::u16string entry : {u"a\nb", u"a\r\nb", u"ab\r", u"\n", u"\rab"}) {
        SCOPED_TRACE(utf8(entry));
        login(entry);
        expectShown(shown(), {prompt(u"首次使用，请设置登录密码："), notice(kLineBreakRefused)});
        EXPECT_FALSE(fs::exists(file()));
        EXPECT_FALSE(unlocked());
        messages().forget();
    }
    // Still first use: the next try sets the password.
    login(u"ab");
    EXPECT_EQ(readBytes(file()), "ab\r\n");
}

TEST_F(Password, ChangeRefusesALineBreakAndKeepsTheOldPassword) {
    loggedInWith("old\r\n", u"old");
    changePassword(u"old", u"new\r\nline");
    expectShown(shown(),
                {prompt(u"请输入旧密码："), prompt(u"请输入新密码："), notice(kLineBreakRefused)});
    EXPECT_EQ(readBytes(file()), "old\r\n");
}

TEST_F(Password, APasswordLongerThanTheFileIsReadIsRefused) {
    // 中 takes two bytes; with CR LF, 2047 of them fill the 4096 bytes that are read.
    const std::u16string longest(2047, u'中');
    login(longest + u'中');
    expectShown(shown(),
                {prompt(u"首次使用，请设置登录密码："), notice(u"密码太长，请重新输入！")});
    EXPECT_FALSE(fs::exists(file()));
    messages().forget();

    login(longest);
    EXPECT_EQ(readBytes(file()).size(), 4096u);
    messages().forget();
    login(longest);
    EXPECT_TRUE(unlocked());
}

// 锘 is EF BB in code page 936: followed by a character whose first byte is BF, the file
// would start with the UTF-8 byte-order mark.
TEST_F(Password, APasswordThatWouldReadAsAByteOrderMarkIsRefused) {
    login(u"锘俊");
    expectShown(shown(), {prompt(u"首次使用，请设置登录密码："),
                          notice(u"密码中有无法保存的字符，请重新输入！")});
    EXPECT_FALSE(fs::exists(file()));
}

// ---- Password files that are not what they should be

TEST_F(Password, AFifoAtThePathIsUnreadableAndNeverWaitedFor) {
    ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
    login(std::nullopt);
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(unlocked());

    fs::remove(file());
    loggedInWith("pw\r\n", u"pw");  // unlocks through a real file first
    fs::remove(file());
    ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
    changePassword(u"pw", u"new");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(utf8(shown()[0].prompt), utf8(u"无法读取密码文件：\n" + file().u16string() +
                                            u"\n这不是普通文件，无法读取。\n密码没有更改。"));
    EXPECT_EQ(fs::status(file()).type(), fs::file_type::fifo);
}

TEST_F(Password, AHugePasswordFileIsReadOnlyAsFarAsItsFirstLine) {
    writeBytes(file(), "pw\r\n");
    // 300 MB, as a hole: no disk is used.
    fs::resize_file(file(), 300u << 20);
    login(u"pw");
    expectShown(shown(), {prompt(u"请输入登录密码：")});
    EXPECT_TRUE(unlocked());
}

TEST_F(Password, AFirstLineLongerThanWhatIsReadIsUnreadable) {
    writeBytes(file(), std::string(5000, 'a') + "\r\n");
    login(std::nullopt);
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(unlocked());

    loggedInWith("pw\r\n", u"pw");
    writeBytes(file(), std::string(5000, 'a'));
    changePassword(u"pw", u"new");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_NE(shown()[0].prompt.find(u"\n文件的第一行太长。\n"), std::u16string::npos)
        << utf8(shown()[0].prompt);
    EXPECT_EQ(readBytes(file()), std::string(5000, 'a'));
}

TEST_F(Password, WithoutAHomeFolderLoginEndsSilently) {
    usePasswordFile({});
    login(std::nullopt);
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(unlocked());
}

// Whatever the umask, the folders are the owner's alone.
TEST_F(Password, FoldersAreOwnerOnlyUnderAnyUmask) {
    for (const mode_t mask : {mode_t(0), mode_t(022), mode_t(077)}) {
        SCOPED_TRACE(mask);
        const fs::path top = m_dir / ("umask" + std::to_string(mask));
        usePasswordFile(top / "pennory" / "print.txt");
        const mode_t saved = ::umask(mask);
        login(u"pw");
        ::umask(saved);
        EXPECT_EQ(permissionsOf(top), fs::perms::owner_all);
        EXPECT_EQ(permissionsOf(top / "pennory"), fs::perms::owner_all);
        EXPECT_EQ(permissionsOf(file()), kOwnerOnlyFile);
        messages().forget();
    }
}

}  // namespace
}  // namespace pennory::testing
