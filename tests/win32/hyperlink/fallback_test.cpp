// OpenLink with the shell call refused, so that the browser registered for
// .htm files is started for real: link_recorder, registered in the test's
// Wine prefix, writes down every command line it is started with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/hyperlink/link_support.h"
#include "tests/win32/hyperlink/recorder_log.h"
#include "tests/win32/ui_driver.h"
#include "window/open_link.h"

namespace {

constexpr INT_PTR kFileNotFound = 2;  // what ShellExecute gives with nothing to open it

std::string TempFolder() {
    char path[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, path);
    return std::string(path, length);
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

HyperlinkSettings WebLink(const std::string& address) {
    return {1, address.c_str(), "", link::kNormal, link::kVisited, link::kHover};
}

class Fallback : public ::testing::Test {
protected:
    void SetUp() override {
        // A copy in the prefix's own folder: a short path without spaces that
        // a bare placeholder command can name unquoted.
        recorder_ = TempFolder() + "qlrec.exe";
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "link_recorder.exe").c_str(), recorder_.c_str(), FALSE))
            << "link_recorder.exe beside the tests";
        log_ = TempFolder() + kRecorderLogName;
        DeleteFileA(log_.c_str());
        registration_.SetHtmDefault(link::HtmRegistration::kClass);
    }

    std::vector<std::string> Recorded() const {
        std::vector<std::string> lines;
        const HANDLE file = CreateFileA(log_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return lines;
        std::string text;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
        CloseHandle(file);
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
    // The recorded command line that carries the marker, or "" when none
    // came in time.
    std::string WaitForStart(const std::string& marker, DWORD milliseconds = 30000) const {
        std::string found;
        ui::PumpUntil(
            [&] {
                for (const std::string& line : Recorded())
                    if (line.find(marker) != std::string::npos) found = line;
                return !found.empty();
            },
            milliseconds);
        return found;
    }
    bool EverStarted(const std::string& marker) const {
        for (const std::string& line : Recorded())
            if (line.find(marker) != std::string::npos) return true;
        return false;
    }

    std::string Quoted() const { return "\"" + recorder_ + "\""; }
    // A command of exactly this many characters that starts the recorder.
    std::string CommandOfLength(std::size_t length) const {
        std::string command = Quoted() + " -";
        command.append(length - command.size(), 'p');
        return command;
    }

    std::string recorder_;
    std::string log_;
    link::HtmRegistration registration_;
};

std::string Target(const char* name, std::size_t length = 0) {
    std::string target = std::string("https://quendrel.test/") + name + "/";
    if (target.size() < length) target.append(length - target.size(), 'a');
    return target;
}

TEST_F(Fallback, RunsTheRegisteredCommandWithTheTargetInPlaceOfThePlaceholder) {
    const std::string fits = Target("fits", 259);
    const struct {
        const char* what;
        std::string command;
        std::string target;
        std::string expected;
        bool withoutNul;
    } cases[] = {
        {"placeholder in quotes: cut before the quote, two spaces", Quoted() + " \"%1\"", Target("quoted"),
         Quoted() + "  " + Target("quoted"), false},
        {"bare placeholder: cut before the %", recorder_ + " %1", Target("bare"), recorder_ + "  " + Target("bare"),
         false},
        {"no placeholder: the target is appended", Quoted(), Target("none"), Quoted() + " " + Target("none"), false},
        {"whatever follows the placeholder goes", Quoted() + " -new \"%1\" -tail", Target("tail"),
         Quoted() + " -new  " + Target("tail"), false},
        {"a quoted placeholder wins over an earlier bare one", Quoted() + " %1 \"%1\"", Target("both"),
         Quoted() + " %1  " + Target("both"), false},
        {"259 characters and a target of 259 fill the 519 exactly", CommandOfLength(259), fits,
         CommandOfLength(259) + " " + fits, false},
        {"a value stored without its NUL", Quoted() + " \"%1\"", Target("unterminated"),
         Quoted() + "  " + Target("unterminated"), true},
    };
    for (const auto& c : cases) {
        if (c.withoutNul)
            registration_.SetCommand(REG_SZ, c.command.data(), static_cast<DWORD>(c.command.size()));
        else
            registration_.SetCommand(c.command);
        link::FakeShell shell(kFileNotFound);
        EXPECT_TRUE(OpenLink(WebLink(c.target))) << c.what;
        EXPECT_EQ(WaitForStart(c.target), c.expected) << c.what;
    }
    ASSERT_EQ(cases[5].expected.size(), 519u);
}

TEST_F(Fallback, AMailTargetGoesToTheSameBrowser) {
    registration_.SetCommand(Quoted() + " \"%1\"");
    const HyperlinkSettings mail = {0, "http://not.used/", "someone@quendrel.test", 0, 0, 0};
    link::FakeShell shell(kFileNotFound);
    EXPECT_TRUE(OpenLink(mail));
    ASSERT_EQ(shell.Calls().size(), 1u);
    EXPECT_EQ(shell.Calls()[0].file, "mailto:someone@quendrel.test");
    EXPECT_EQ(WaitForStart("someone@quendrel.test"), Quoted() + "  mailto:someone@quendrel.test");
}

TEST_F(Fallback, FailsWithoutStartingAnythingWhenNoCommandCanBeMade) {
    enum class Setup { NoHtmKey, NoCommandKey, NoDefaultValue, BinaryValue, LongHtmValue, Command, Unterminated };
    const struct {
        const char* what;
        Setup setup;
        std::string command;
        std::string target;
    } cases[] = {
        {"no .htm key", Setup::NoHtmKey, "", Target("no-htm")},
        {"no open command for the class", Setup::NoCommandKey, "", Target("no-command")},
        {"a command key without a value", Setup::NoDefaultValue, "", Target("no-value")},
        // Bytes that would start the recorder if they were taken for text.
        {"a command stored as binary data", Setup::BinaryValue, Quoted() + " \"%1\"", Target("binary")},
        {".htm naming a class of 260 characters", Setup::LongHtmValue, "", Target("long-htm")},
        {"a command of 260 characters", Setup::Command, CommandOfLength(260), Target("long-command")},
        {"260 characters stored without a NUL", Setup::Unterminated, CommandOfLength(260), Target("long-unterminated")},
        {"259 characters and a target of 260 exceed the 519", Setup::Command, CommandOfLength(259),
         Target("cut-off", 260)},
        {"a command naming no program", Setup::Command, "\"" + TempFolder() + "missing.exe\" \"%1\"",
         Target("missing")},
    };
    link::FakeShell shell(kFileNotFound);
    for (const auto& c : cases) {
        registration_.SetHtmDefault(link::HtmRegistration::kClass);
        registration_.SetCommand(Quoted() + " \"%1\"");
        switch (c.setup) {
            case Setup::NoHtmKey:
                if (!registration_.RemoveHtmKey()) {
                    ADD_FAILURE() << "this prefix's .htm key has subkeys; it is left in place";
                    continue;
                }
                break;
            case Setup::NoCommandKey: registration_.RemoveCommandKey(); break;
            case Setup::NoDefaultValue: registration_.SetCommandKeyWithoutDefault(); break;
            case Setup::BinaryValue:
                registration_.SetCommand(REG_BINARY, c.command.c_str(), static_cast<DWORD>(c.command.size() + 1));
                break;
            case Setup::LongHtmValue: registration_.SetHtmDefault(std::string(260, 'Q')); break;
            case Setup::Command: registration_.SetCommand(c.command); break;
            case Setup::Unterminated:
                registration_.SetCommand(REG_SZ, c.command.data(), static_cast<DWORD>(c.command.size()));
                break;
        }
        EXPECT_FALSE(OpenLink(WebLink(c.target))) << c.what;
    }
    // A start that does happen shows that the recorder works and gives any
    // wrongly started one time to write its line too.
    registration_.SetHtmDefault(link::HtmRegistration::kClass);
    registration_.SetCommand(Quoted() + " \"%1\"");
    ASSERT_TRUE(OpenLink(WebLink(Target("after-failures"))));
    ASSERT_NE(WaitForStart(Target("after-failures")), "");
    ui::Pump(1000);
    for (const auto& c : cases) EXPECT_FALSE(EverStarted(c.target)) << c.what << ": something was started";
}

TEST_F(Fallback, OnlyAFailedShellCallFallsBack) {
    registration_.SetCommand(Quoted() + " \"%1\"");
    const struct {
        INT_PTR shellResult;
        bool fallsBack;
    } cases[] = {{33, false}, {42, false}, {32, true}, {0, true}};
    for (const auto& c : cases) {
        const std::string target = Target(("shell-" + std::to_string(c.shellResult)).c_str());
        link::FakeShell shell(c.shellResult);
        EXPECT_TRUE(OpenLink(WebLink(target))) << c.shellResult;
        ASSERT_EQ(shell.Calls().size(), 1u);
        EXPECT_EQ(shell.Calls()[0].file, target);
        if (c.fallsBack) {
            EXPECT_NE(WaitForStart(target), "") << "shell result " << c.shellResult;
        }
    }
    // The fallback starts above took seconds; a start after a success would
    // have been recorded by now.
    for (const auto& c : cases) {
        if (c.fallsBack) continue;
        EXPECT_FALSE(EverStarted(Target(("shell-" + std::to_string(c.shellResult)).c_str())))
            << "shell result " << c.shellResult << " is a success";
    }
}

TEST_F(Fallback, AnEmptyAddressOpensNothing) {
    registration_.SetCommand(Quoted() + " \"%1\"");
    const HyperlinkSettings links[] = {
        {1, "", "someone@quendrel.test", 0, 0, 0},  // web link with no web address
        {0, "https://quendrel.test/", "", 0, 0, 0},  // mail link with no mail address
    };
    link::FakeShell shell(kFileNotFound);
    for (const HyperlinkSettings& settings : links) EXPECT_FALSE(OpenLink(settings)) << settings.linkKind;
    EXPECT_TRUE(shell.Calls().empty()) << "not even the shell is asked";
}

}  // namespace
