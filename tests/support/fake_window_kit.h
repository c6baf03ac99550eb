#pragma once
#include <string>
#include <vector>

#include "window/form_ids.h"

// A stand-in for the three edit boxes: it holds their texts and the focus,
// delivers a write's change event to the bound handler synchronously, and
// records every call, indented by how deeply it is nested in a write.
namespace fake_kit {
void Reset(const char* centimetreText, const char* resolutionText, const char* pixelText,
           ControlId focused);
void SetContent(ControlId box, const std::string& text);
void SetFocus(ControlId box);  // 0: no box has the focus
std::string Content(ControlId box);
// A user edit: the text changes, then the box's ContentChanged is raised.
void UserEdit(ControlId box, const std::string& text);
void SetRecording(bool on);
const std::vector<std::string>& Calls();
int WritesSeen();
}  // namespace fake_kit
