#include "report/PageImage.h"

#include <QMouseEvent>
#include <QPainter>

TPageImage::TPageImage(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageImage::SetPicture(QImage picture)
{
    Picture_ = std::move(picture);
    resize(Picture_.size());
    update();
}

void TPageImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), Picture_, event->rect());
    if (OnPainted)
        OnPainted();
}

void TPageImage::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(event->button(), event->position().toPoint());
}

void TPageImage::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event->buttons(), event->position().toPoint());
}

void TPageImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnMouseUp)
        OnMouseUp(event->button(), event->position().toPoint());
}
