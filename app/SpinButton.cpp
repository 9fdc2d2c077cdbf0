#include "app/SpinButton.h"

#include <QVBoxLayout>

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setFixedSize(18, 12);
    button->setIconSize(QSize(8, 6));
    return button;
}

} // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), Up_(ArrowButton(Qt::UpArrow, this)), Down_(ArrowButton(Qt::DownArrow, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Up_);
    layout->addWidget(Down_);
    connect(Up_, &QToolButton::clicked, this, &TSpinButton::UpClick);
    connect(Down_, &QToolButton::clicked, this, &TSpinButton::DownClick);
}
