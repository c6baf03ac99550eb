#include "app/fatal_error.h"

#include <windows.h>

#include "app/frame.h"
#include "window/window_kit.h"

namespace {

// Appends within the buffer; the box text is built without the heap, which
// may be what failed.
class BoundedText {
public:
    BoundedText(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) { buffer_[0] = '\0'; }
    void Append(const char* text) {
        while (*text != '\0' && length_ + 1 < capacity_) buffer_[length_++] = *text++;
        buffer_[length_] = '\0';
    }

private:
    char* buffer_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

}  // namespace

void ReportFatalError(const char* message, std::int32_t code) {
    ++EventHoldCount;  // never lowered: no handler runs from here on
    char text[1024];
    BoundedText box(text, sizeof text);
    box.Append("运行时出错!\r\n\r\n");
    if (code != 0) {
        char number[16];
        wsprintfA(number, "%d", static_cast<int>(code));
        box.Append("错误代码：");
        box.Append(number);
        box.Append("\r\n\r\n");
    }
    if (message != nullptr && message[0] != '\0') {
        box.Append("错误信息：");
        box.Append(message);
        box.Append("\r\n");
    }
    MessageBoxA(nullptr, text, "错误", MB_OK | MB_ICONSTOP);
    RegisterExitRoutine(nullptr);  // the globals are not released on this path
    ReleaseFrame();
    ExitProcess(static_cast<UINT>(-1));
}
