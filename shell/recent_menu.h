// "Recent recordings": the last ten recordings opened, latest first, as a menu that is made
// afresh each time it opens; a recording that is no longer there is dropped from the list.
#pragma once

#include <QMenu>

namespace orvik {

class RecentRecordingsMenu : public QMenu {
    Q_OBJECT

  public:
    explicit RecentRecordingsMenu(QWidget* parent = nullptr);

  signals:
    void chosen(const QString& path);

  private:
    void Fill();
};

// The recordings of the list that are still there, latest first; the others are dropped
// from it.
QStringList ExistingRecentRecordings();

}  // namespace orvik
