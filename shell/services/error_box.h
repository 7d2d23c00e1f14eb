// The error box: the one way a failure reaches the user. It shows
// "<what> failed with error <code>: <system text>" for the last error in a modal message box
// with the caption "Error" and a single OK button, with no owner window.
#pragma once

#include <string>

namespace orvik {

// The report text for what, with the last error code as it stands now.
std::string LastErrorReport(const char* what);

// Shows text in the error box and waits until the user closes it.
void ShowErrorBox(const std::string& text);

// Reports the last error: takes the code first, before anything can change it, then shows
// the box.
void ReportLastErrorInBox(const char* what);

// Makes the error box the reporter of the clip library's failures.
void InstallErrorBox();

}  // namespace orvik
