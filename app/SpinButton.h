#pragma once

#include <QToolButton>
#include <QWidget>

// Two small arrow buttons stacked, stepping a value up and down.
class TSpinButton : public QWidget {
    Q_OBJECT

public:
    explicit TSpinButton(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return Up_; }
    QToolButton* DownButton() const { return Down_; }

signals:
    void UpClick();
    void DownClick();

private:
    QToolButton* Up_;
    QToolButton* Down_;
};
