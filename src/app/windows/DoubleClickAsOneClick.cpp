#include "app/windows/DoubleClickAsOneClick.h"

#include <QAbstractButton>
#include <QEvent>

namespace app {

namespace {

class DropDoubleClick : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void takeDoubleClickAsOneClick(QAbstractButton& button)
{
    button.installEventFilter(new DropDoubleClick(&button));
}

} // namespace app
