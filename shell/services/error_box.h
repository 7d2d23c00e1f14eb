// The error box: the one way a failure reaches the user. It shows a report of the clip
// library, "<what> failed with error <code>: <system text>", in a modal message box with the
// caption "Error" and a single OK button, with no owner window.
#pragma once

#include <string>

#include "library/error_report.h"

namespace orvik {

// Shows text in the error box and waits until the user closes it.
void ShowErrorBox(const std::string& text);

// Shows the report's text in the box.
void ShowReportInBox(const ErrorReport& report);

// Makes the error box the reporter of the clip library's failures.
void InstallErrorBox();

}  // namespace orvik
