// The error box as the user sees it, shown directly and through the clip library's
// reporter, with the code each report carries.
#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>
#include <cerrno>
#include <cstring>

#include "library/error_report.h"
#include "library/file_manager.h"
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
    // A real failure of the clip library, with the code of the call that failed.
    void aFailedScanShowsTheCodeOfTheListing() {
        InstallErrorBox();
        SeenBox seen;
        CloseNextBox(seen);
        CMavFileManager manager;
        char path[] = "/nonexistent-orvik/recording";
        QCOMPARE(manager.ScanFolderTree(path), 1);
        SetErrorReporter({});
        QVERIFY(seen.shown);
        QCOMPARE(seen.text, QStringLiteral("FindFirstFile failed with error %1: %2")
                                .arg(ENOENT)
                                .arg(QString::fromLocal8Bit(std::strerror(ENOENT))));
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

    // The box shows the code the report carries, whatever the last error is by then.
    void installedBoxShowsTheReportsOwnCode() {
        InstallErrorBox();
        SeenBox seen;
        CloseNextBox(seen);
        FailToOpenAMissingFile();
        ReportError({"File List is Empty", EACCES});
        SetErrorReporter({});
        QVERIFY(seen.shown);
        QCOMPARE(seen.text, QStringLiteral("File List is Empty failed with error %1: %2")
                                .arg(EACCES)
                                .arg(QString::fromLocal8Bit(std::strerror(EACCES))));
    }
};

}  // namespace orvik

QTEST_MAIN(orvik::ErrorBoxTest)
#include "error_box_test.moc"
