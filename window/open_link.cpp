#include "window/open_link.h"

#include <shellapi.h>

#include <cstring>

ShellOpenFunction ShellOpen = ShellExecuteA;

namespace {

constexpr std::size_t kValueCapacity = 260;    // a registry value of at most 259 characters
constexpr std::size_t kCommandCapacity = 520;  // the command line, 519 characters and its NUL

// The default value of a key under HKEY_CLASSES_ROOT, as a text of at most
// 259 characters; a longer or non-text value counts as a read failure.
bool ReadClassDefault(const char* key, char (&value)[kValueCapacity]) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD size = kValueCapacity;
    const LONG status = RegQueryValueExA(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    if (size == 0) {
        value[0] = '\0';
    } else if (value[size - 1] != '\0') {
        if (size >= kValueCapacity) return false;
        value[size] = '\0';
    }
    return std::strlen(value) < kValueCapacity;
}

bool StartsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

// Where the "%1" placeholder begins: at its opening quote when it stands in
// quotes, else at the '%'. Searched a character at a time so that a
// double-byte character is never split.
char* PlaceholderStart(char* command) {
    char* bare = nullptr;
    for (char* p = command; *p != '\0'; p = CharNextA(p)) {
        if (StartsWith(p, "\"%1\"")) return p;
        if (bare == nullptr && StartsWith(p, "%1")) bare = p;
    }
    return bare;
}

}  // namespace

bool OpenWithRegisteredBrowser(const char* target) {
    char program[kValueCapacity];
    if (!ReadClassDefault(".htm", program)) return false;
    const char suffix[] = "\\shell\\open\\command";
    char key[kValueCapacity + sizeof suffix];
    std::memcpy(key, program, std::strlen(program));
    std::memcpy(key + std::strlen(program), suffix, sizeof suffix);
    char value[kValueCapacity];
    if (!ReadClassDefault(key, value)) return false;

    char command[kCommandCapacity];
    std::strcpy(command, value);
    if (char* placeholder = PlaceholderStart(command)) *placeholder = '\0';
    const std::size_t head = std::strlen(command);
    const std::size_t tail = std::strlen(target);
    // A command that does not fit is not run cut off.
    if (head + 1 + tail >= kCommandCapacity) return false;
    command[head] = ' ';
    std::memcpy(command + head + 1, target, tail + 1);
    return WinExec(command, SW_SHOWNORMAL) > 31;
}

bool OpenLink(const HyperlinkSettings& link) {
    char mailTarget[kCommandCapacity];
    const char* target;
    if (link.linkKind != 0) {
        target = link.webAddress;
    } else {
        const char scheme[] = "mailto:";
        const std::size_t length = std::strlen(link.mailAddress);
        if (length == 0 || length + sizeof scheme > sizeof mailTarget) return false;
        std::memcpy(mailTarget, scheme, sizeof scheme - 1);
        std::memcpy(mailTarget + sizeof scheme - 1, link.mailAddress, length + 1);
        target = mailTarget;
    }
    if (target[0] == '\0') return false;
    const HINSTANCE result = ShellOpen(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) > 32) return true;
    return OpenWithRegisteredBrowser(target);
}
