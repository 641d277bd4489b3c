#include "platform/ui/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), FUp(new QToolButton(this)), FDown(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {FUp, FDown}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setFixedWidth(17);
        layout->addWidget(b);
    }
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    connect(FUp, &QToolButton::clicked, this, [this] { Click(btNext); });
    connect(FDown, &QToolButton::clicked, this, [this] { Click(btPrev); });
}

void TUpDown::SetRange(int min, int max)
{
    FMin = min;
    FMax = max;
    SetPosition(FPosition);
}

int TUpDown::Position() const
{
    if (FAssociate) {
        bool ok = false;
        const int typed = FAssociate->text().trimmed().toInt(&ok);
        if (ok && typed >= qMin(FMin, FMax) && typed <= qMax(FMin, FMax))
            return typed;
    }
    return FPosition;
}

void TUpDown::SetPosition(int position)
{
    FPosition = qBound(qMin(FMin, FMax), position, qMax(FMin, FMax));
    ShowPosition();
}

void TUpDown::SetAssociate(QLineEdit* edit)
{
    if (FAssociate)
        FAssociate->removeEventFilter(this);
    FAssociate = edit;
    FAssociateObject = edit;
    if (FAssociate) {
        FAssociate->installEventFilter(this);
        ShowPosition();
    }
}

void TUpDown::ShowPosition()
{
    if (FAssociate && FAssociate->text() != QString::number(FPosition))
        FAssociate->setText(QString::number(FPosition));
}

void TUpDown::Click(TUDBtnType button)
{
    const int from = Position();
    const int lo = qMin(FMin, FMax), hi = qMax(FMin, FMax);
    qint64 to = qint64(from) + (button == btNext ? FIncrement : -FIncrement);
    if (to > hi)
        to = FWrap ? lo : hi;
    else if (to < lo)
        to = FWrap ? hi : lo;
    bool allow = true;
    emit changing(&allow);
    if (allow)
        emit changingEx(int(to), &allow);
    if (!allow)
        return;
    SetPosition(int(to));
    emit clicked(button);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    // Compared as objects: the edit may be in its destructor, no longer a QLineEdit.
    if (watched == static_cast<QObject*>(FAssociateObject) && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up ? btNext : btPrev);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
