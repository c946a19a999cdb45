#include "widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillop::platform {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(QImage picture)
{
    m_picture = std::move(picture);
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Qt::white);
}

void Label::setTextColour(const QColor& colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void Label::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

} // namespace quillop::platform
