// The position slider with the clip's marks in its groove: a start and an end tick at the
// numbers of the marked frames when they lie in the folder the slider runs over.
#pragma once

#include <QSlider>
#include <optional>

namespace orvik {

class MarkedSlider : public QSlider {
    Q_OBJECT

  public:
    explicit MarkedSlider(QWidget* parent = nullptr);

    // The slider values (frame numbers) of the clip's start and end; none for a mark that is
    // not set or lies in another folder.
    void SetMarks(std::optional<int> start, std::optional<int> end);
    std::optional<int> StartMark() const { return start; }
    std::optional<int> EndMark() const { return end; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The x of a value's place along the groove.
    int XOf(int value) const;

    std::optional<int> start, end;
};

}  // namespace orvik
