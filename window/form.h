#pragma once
#include <cstddef>
#include <cstdint>

#include "window/form_ids.h"

// The main window described as data: what each control is, where it sits,
// what it shows and which routine its events run.

enum class ControlKind { EditBox, Label, Hyperlink };

// ContentChanged is event number 0 of an edit box.
constexpr int kContentChanged = 0;

struct EventBinding {
    int event;
    void (*handler)();
};

struct HyperlinkSettings {
    int linkKind;  // 0: MailAddress, otherwise WebAddress
    const char* webAddress;
    const char* mailAddress;
    std::uint32_t normalColour;   // COLORREF
    std::uint32_t visitedColour;
    std::uint32_t hoverColour;
};

struct ControlSpec {
    ControlKind kind;
    ControlId id;
    int left, top, width, height;
    bool tabStop;
    const char* text;  // an edit box's initial Content, a label's or link's Title
    bool wordWrap;     // labels only: wrap from the top, else one centred line
    const EventBinding* bindings;
    std::size_t bindingCount;
    const HyperlinkSettings* link;
};

struct WindowSpec {
    WindowId id;
    const char* title;
    int outerWidth, outerHeight;
    const ControlSpec* controls;  // in creation order
    std::size_t controlCount;
    const ControlId* stackingOrder;  // topmost first
    const ControlId* tabOrder;
    std::size_t tabStopCount;
};

constexpr std::size_t kMaxControls = 8;

const WindowSpec* FindWindowSpec(WindowId id);
const ControlSpec* FindControlSpec(const WindowSpec& window, ControlId id);
// True when every binding, stacking and tab entry names a control of its
// window; a form that fails this cannot be loaded.
bool FormIsConsistent();
