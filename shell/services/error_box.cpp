#include "shell/services/error_box.h"

#include <QMessageBox>
#include <QString>

#include "library/error_report.h"
#include "platform/last_error.h"

namespace orvik {

std::string LastErrorReport(const char* what) {
    return FormatErrorReport(what, LastErrorCode());
}

void ShowErrorBox(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                    QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok);
    box.exec();
}

void ReportLastErrorInBox(const char* what) {
    ShowErrorBox(LastErrorReport(what));
}

void InstallErrorBox() {
    SetLastErrorReporter(&ReportLastErrorInBox);
}

}  // namespace orvik
