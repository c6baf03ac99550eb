#include "tests/support/fake_window_kit.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "app/heap.h"
#include "converter/handlers.h"
#include "tests/support/counting_heap.h"
#include "window/control_access.h"

const char kEmptyText[] = "";

namespace {

struct Box {
    ControlId id;
    const char* name;
    void (*handler)();
    std::string content;
};

Box boxes[] = {{编辑框1, "cm", OnCentimetreBoxChanged, ""},
               {编辑框2, "dpi", OnResolutionBoxChanged, ""},
               {编辑框3, "px", OnPixelBoxChanged, ""}};
ControlId focus = 0;
bool recording = true;
int depth = 0;
int writes = 0;
std::vector<std::string> calls;

Box& Find(WindowId window, ControlId id) {
    if (window != MainWindow) std::abort();
    for (Box& box : boxes)
        if (box.id == id) return box;
    std::abort();
}

void Record(const std::string& call) {
    if (recording) calls.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + call);
}

}  // namespace

std::int32_t HasFocus(WindowId window, ControlId control) {
    const Box& box = Find(window, control);
    const std::int32_t result = focus == control ? 1 : 0;
    Record(std::string("HasFocus ") + box.name + " = " + (result ? "1" : "0"));
    return result;
}

char* ReadContent(WindowId window, ControlId control) {
    const Box& box = Find(window, control);
    Record(std::string("Read ") + box.name + " \"" + box.content + "\"");
    if (box.content.empty()) return nullptr;
    char* text = static_cast<char*>(AllocateBlock(box.content.size() + 1));
    std::memcpy(text, box.content.c_str(), box.content.size() + 1);
    return text;
}

void WriteContent(WindowId window, ControlId control, const char* text) {
    Box& box = Find(window, control);
    box.content = text != nullptr ? text : "";
    ++writes;
    Record(std::string("Write ") + box.name + " \"" + box.content + "\"");
    ++depth;
    box.handler();
    --depth;
}

void ReleaseText(char* text) {
    if (text == nullptr) return;
    if (text == kEmptyText) {
        Record("Release of the empty text");
        return;
    }
    if (!test_heap::IsLive(text)) {
        Record("Release of a text that was not handed out");
        return;
    }
    Record(std::string("Release \"") + text + "\"");
    FreeBlock(text);
}

namespace fake_kit {
void Reset(const char* centimetreText, const char* resolutionText, const char* pixelText,
           ControlId focused) {
    boxes[0].content = centimetreText;
    boxes[1].content = resolutionText;
    boxes[2].content = pixelText;
    focus = focused;
    depth = 0;
    writes = 0;
    calls.clear();
}
void SetContent(ControlId box, const std::string& text) { Find(MainWindow, box).content = text; }
void SetFocus(ControlId box) { focus = box; }
std::string Content(ControlId box) { return Find(MainWindow, box).content; }
void UserEdit(ControlId id, const std::string& text) {
    Box& box = Find(MainWindow, id);
    box.content = text;
    box.handler();
}
void SetRecording(bool on) { recording = on; }
const std::vector<std::string>& Calls() { return calls; }
int WritesSeen() { return writes; }
}  // namespace fake_kit
