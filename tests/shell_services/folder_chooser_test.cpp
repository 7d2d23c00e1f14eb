// The folder chooser: its title line, and the real dialog cancelled and accepted.
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <string>

#include "shell/services/folder_chooser.h"
#include "testing/widgets/when_modal_shown.h"

namespace orvik {

class FolderChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void titleLine_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("want");
        QTest::newRow("first use: the single-blank path")
            << QByteArray(" ") << QByteArray("Current  ");
        QTest::newRow("a chosen folder")
            << QByteArray("/media/card/REC") << QByteArray("Current /media/card/REC");
        QTest::newRow("empty") << QByteArray("") << QByteArray("Current ");
    }

    void titleLine() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, want);
        QCOMPARE(QByteArray::fromStdString(BrowseTitle(path.constData())), want);
    }

    void titleLineOfAPathAsLongAsTheBufferIsCut() {
        const std::string longest(kPathCapacity - 1, 'p');
        const std::string title = BrowseTitle(longest.c_str());
        QCOMPARE(title.size(), kPathCapacity - 1);
        QCOMPARE(title.substr(0, 8), std::string("Current "));
    }

    void cancelLeavesThePathUnchanged() {
        char path[kPathCapacity] = " ";
        QString title;
        bool foldersOnly = false;
        test::WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            foldersOnly = dialog->fileMode() == QFileDialog::Directory &&
                          dialog->testOption(QFileDialog::ShowDirsOnly);
            dialog->reject();
        });
        ChooseFolder(nullptr, path, sizeof path);
        QCOMPARE(title, QStringLiteral("Current  "));
        QVERIFY(foldersOnly);
        QCOMPARE(QByteArray(path), QByteArray(" "));
    }

    void acceptedFolderIsWrittenToThePath() {
        QTemporaryDir root;
        const QString recording = root.path() + "/REC";
        QVERIFY(QDir().mkpath(recording));
        char path[kPathCapacity] = "/old/path";
        QString title;
        test::WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            dialog->setDirectory(recording);
            static_cast<QDialog*>(dialog)->accept();  // the dialog's own accept, as its button
        });
        ChooseFolder(nullptr, path, sizeof path);
        QCOMPARE(title, QStringLiteral("Current /old/path"));
        QCOMPARE(QFile::decodeName(path), recording);
    }

    void folderWhosePathDoesNotFitIsNotTaken() {
        QTemporaryDir root;
        char path[8] = "/short";
        test::WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(root.path());
            static_cast<QDialog*>(dialog)->accept();  // the dialog's own accept, as its button
        });
        ChooseFolder(nullptr, path, sizeof path);
        QCOMPARE(QByteArray(path), QByteArray("/short"));
    }
};

}  // namespace orvik

QTEST_MAIN(orvik::FolderChooserTest)
#include "folder_chooser_test.moc"
