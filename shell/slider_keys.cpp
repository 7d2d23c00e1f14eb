#include "shell/slider_keys.h"

#include <QAbstractSlider>
#include <QKeyEvent>

namespace orvik {
namespace {

class SliderKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier && IsSliderKey(key->key())) {
                event->accept();  // the slider's own, not the window's
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    static bool IsSliderKey(int key) {
        switch (key) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                return true;
            default:
                return false;
        }
    }
};

}  // namespace

void KeepSliderKeys(QAbstractSlider* slider) {
    slider->installEventFilter(new SliderKeys(slider));
}

}  // namespace orvik
