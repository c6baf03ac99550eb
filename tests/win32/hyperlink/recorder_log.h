#pragma once

// Where link_recorder writes each command line it is started with: one line
// per start, in the prefix's temporary folder, so that runs in different
// Wine prefixes never see each other's starts.
constexpr char kRecorderLogName[] = "quendrel-link-recorder.log";
