// The error box: its text for a real system error, and the box itself as the user sees it,
// shown directly and through the clip library's reporter.
#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>
#include <cerrno>
#include <cstring>

#include "library/error_report.h"
#include "shell/services/error_box.h"
#include "testing/widgets/when_modal_shown.h"

namespace orvik {
namespace {

// What the user saw in the box.
struct SeenBox {
    bool shown = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool okButton = false;
    bool hasParent = true;
    bool modal = false;
};

void CloseNextBox(SeenBox& seen) {
    test::WhenModalShown<QMessageBox>([&seen](QMessageBox* box) {
        seen.shown = true;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttonCount = static_cast<int>(box->buttons().size());
        seen.okButton = box->button(QMessageBox::Ok) != nullptr;
        seen.hasParent = box->parentWidget() != nullptr;
        seen.modal = box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
}

// Leaves errno as a failed open of a missing file leaves it.
void FailToOpenAMissingFile() {
    const int fd = ::open("/nonexistent-orvik/frame.jpg", O_RDONLY);
    QCOMPARE(fd, -1);
}

}  // namespace

class ErrorBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void reportTextNamesTheLastSystemError() {
        FailToOpenAMissingFile();
        const std::string report = LastErrorReport("FindFirstFile");
        const std::string want = std::string("FindFirstFile failed with error ") +
                                 std::to_string(ENOENT) + ": " + std::strerror(ENOENT);
        QCOMPARE(QString::fromStdString(report), QString::fromStdString(want));
    }

    void boxShowsTheTextWithCaptionIconAndOneOk() {
        SeenBox seen;
        CloseNextBox(seen);
        ShowErrorBox("File List is Empty failed with error 2: No such file or directory");
        QVERIFY(seen.shown);
        QCOMPARE(seen.caption, QStringLiteral("Error"));
        QCOMPARE(
            seen.text,
            QStringLiteral("File List is Empty failed with error 2: No such file or directory"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttonCount, 1);
        QVERIFY(seen.okButton);
        QVERIFY(!seen.hasParent);
        QVERIFY(seen.modal);
    }

    void installedBoxReportsTheClipLibrarysFailures() {
        InstallErrorBox();
        SeenBox seen;
        CloseNextBox(seen);
        FailToOpenAMissingFile();
        ReportLastError("FindFirstFile");
        SetLastErrorReporter({});
        QVERIFY(seen.shown);
        QCOMPARE(seen.text, QStringLiteral("FindFirstFile failed with error %1: %2")
                                .arg(ENOENT)
                                .arg(QString::fromLocal8Bit(std::strerror(ENOENT))));
    }
};

}  // namespace orvik

QTEST_MAIN(orvik::ErrorBoxTest)
#include "error_box_test.moc"
