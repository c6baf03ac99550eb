#include "window/form.h"

#include "converter/handlers.h"

namespace {

constexpr std::uint32_t Rgb(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

const EventBinding kCentimetreBindings[] = {{kContentChanged, OnCentimetreBoxChanged}};
const EventBinding kResolutionBindings[] = {{kContentChanged, OnResolutionBoxChanged}};
const EventBinding kPixelBindings[] = {{kContentChanged, OnPixelBoxChanged}};

// The one place that names the maker's site.
const HyperlinkSettings kMakerLink = {
    1,
    "https://www.tavorin.example/",
    "",
    Rgb(0, 0, 255),
    Rgb(128, 0, 0),
    Rgb(10, 36, 106),
};

const char kHint[] =
    "  如果你要将做的图片打印出来的话，最好先进行换算，不然很可能会降低图片质量的！\r\n"
    "  一般情况下，如果是印刷品，最好用300像素/英寸，如果是打印机或者喷绘，可以选择72像素/英寸的分辨率。";

const ControlSpec kMainControls[] = {
    {ControlKind::EditBox, 编辑框1, 96, 16, 160, 24, true, "", false, kCentimetreBindings, 1, nullptr},
    {ControlKind::EditBox, 编辑框2, 96, 64, 160, 24, true, "96.01", false, kResolutionBindings, 1, nullptr},
    {ControlKind::EditBox, 编辑框3, 96, 112, 160, 24, true, "", false, kPixelBindings, 1, nullptr},
    {ControlKind::Label, 标签1, 16, 24, 64, 16, false, "厘米(cm)：", false, nullptr, 0, nullptr},
    {ControlKind::Label, 标签2, 16, 64, 80, 32, false, "分辨率(dpi)\r\n(像素/英寸)：", true, nullptr, 0, nullptr},
    {ControlKind::Label, 标签3, 16, 116, 64, 16, false, "像素(dot)：", false, nullptr, 0, nullptr},
    {ControlKind::Label, 标签4, 6, 160, 258, 80, false, kHint, true, nullptr, 0, nullptr},
    {ControlKind::Hyperlink, 超级链接框1, 76, 223, 112, 16, false, "www.tavorin.example", false, nullptr, 0, &kMakerLink},
};

const ControlId kMainStacking[] = {超级链接框1, 标签4, 标签3, 标签2, 标签1, 编辑框3, 编辑框2, 编辑框1};
const ControlId kMainTabOrder[] = {编辑框1, 编辑框2, 编辑框3};

const WindowSpec kMainWindow = {
    MainWindow, "Quendrel BY Tavorin", 284, 268,
    kMainControls, sizeof kMainControls / sizeof kMainControls[0],
    kMainStacking, kMainTabOrder, sizeof kMainTabOrder / sizeof kMainTabOrder[0],
};

const WindowSpec* const kForm[] = {&kMainWindow};

static_assert(sizeof kMainControls / sizeof kMainControls[0] <= kMaxControls, "room for every control");
static_assert(sizeof kMainStacking == sizeof kMainControls / sizeof kMainControls[0] * sizeof(ControlId),
              "every control has its place in the stacking order");

}  // namespace

const WindowSpec* FindWindowSpec(WindowId id) {
    for (const WindowSpec* window : kForm)
        if (window->id == id) return window;
    return nullptr;
}

const ControlSpec* FindControlSpec(const WindowSpec& window, ControlId id) {
    for (std::size_t i = 0; i < window.controlCount; ++i)
        if (window.controls[i].id == id) return &window.controls[i];
    return nullptr;
}

bool FormIsConsistent() {
    for (const WindowSpec* window : kForm) {
        if (window->controlCount > kMaxControls) return false;
        for (std::size_t i = 0; i < window->controlCount; ++i) {
            if (FindControlSpec(*window, window->stackingOrder[i]) == nullptr) return false;
            for (std::size_t b = 0; b < window->controls[i].bindingCount; ++b)
                if (window->controls[i].bindings[b].handler == nullptr) return false;
        }
        for (std::size_t i = 0; i < window->tabStopCount; ++i)
            if (FindControlSpec(*window, window->tabOrder[i]) == nullptr) return false;
    }
    return true;
}
