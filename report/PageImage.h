#pragma once

#include <functional>
#include <QImage>
#include <QWidget>

// The picture of a page on show in the preview: it paints its image pixel
// for pixel at its top-left corner and hands mouse presses, moves (also
// without a button) and releases to the preview, in image pixels.
class TPageImage : public QWidget {
    Q_OBJECT

public:
    explicit TPageImage(QWidget* parent = nullptr);

    // The picture on show; the widget takes its size.
    void SetPicture(QImage picture);
    QImage& Picture() { return Picture_; }
    const QImage& Picture() const { return Picture_; }

    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
    std::function<void(Qt::MouseButtons, QPoint)> OnMouseMove;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseUp;
    // Called after each paint; the preview measures how soon a page shows.
    std::function<void()> OnPainted;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage Picture_;
};
