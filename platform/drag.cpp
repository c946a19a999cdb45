#include "drag.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace quillop::platform {

namespace {

// Follows the mouse with the window while the button that started the drag is
// held. The press that started it gave the window the implicit mouse grab, so
// the moves and the release come to it.
class ManualDrag final : public QObject {
public:
    ManualDrag(QWidget* window, QPoint grabOffset) : QObject(window), m_window(window), m_offset(grabOffset)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window) {
            return false;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() == Qt::NoButton) {
                finish();
                return false;
            }
            m_window->move(move->globalPosition().toPoint() - m_offset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            finish();
            return false;
        }
        return false;
    }

private:
    void finish()
    {
        m_window->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> m_window;
    QPoint m_offset;
};

ManualDrag* activeDrag(const QWidget* window)
{
    return window->findChild<ManualDrag*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void DragForm(QWidget* window)
{
    if (window == nullptr || activeDrag(window) != nullptr) {
        return;
    }
    QWindow* handle = window->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        return;
    }
    new ManualDrag(window, QCursor::pos() - window->pos());
}

bool IsManualDragActive(const QWidget* window)
{
    return activeDrag(window) != nullptr;
}

} // namespace quillop::platform
