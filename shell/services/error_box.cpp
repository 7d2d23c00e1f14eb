#include "shell/services/error_box.h"

#include <QMessageBox>
#include <QString>

namespace orvik {

void ShowErrorBox(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                    QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok);
    box.exec();
}

void ShowReportInBox(const ErrorReport& report) {
    ShowErrorBox(ReportText(report));
}

void InstallErrorBox() {
    SetErrorReporter(&ShowReportInBox);
}

}  // namespace orvik
