#include "core/pages/ReasonCodeBox.h"

#include "core/support/ReasonCodes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/NamedControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

TReasonCodeBox::TReasonCodeBox(QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("ScrollBox"));
    setWidgetResizable(true);
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setColumnStretch(1, 1);
    setWidget(content);
    for (const TReasonCodeItem& item : ReasonCodeTable()) {
        const int row = int(FBoxes.size());
        const QString caption = QString::number(item.Bit + 1) + QStringLiteral(". ") + item.Text;
        QCheckBox* box = NewCheckBox(content, ("chk" + QByteArray::number(row)).constData(), {});
        SetTag(box, item.Bit);
        box->setAccessibleName(caption);
        QLabel* label = NewLabel(content, caption);
        label->setWordWrap(true);
        label->setBuddy(box);
        label->installEventFilter(this);
        grid->addWidget(box, row, 0, Qt::AlignTop);
        grid->addWidget(label, row, 1);
        FBoxes << box;
    }
    grid->setRowStretch(int(FBoxes.size()), 1);
    viewport()->installEventFilter(this);
}

QCheckBox* TReasonCodeBox::FindCheckBox(int Bit) const
{
    for (QCheckBox* box : FBoxes)
        if (Tag(box) == Bit)
            return box;
    return nullptr;
}

void TReasonCodeBox::SetCode(uint32_t Value)
{
    for (QCheckBox* box : FBoxes)
        box->setChecked((Value >> Tag(box)) & 1u);
}

uint32_t TReasonCodeBox::GetCode() const
{
    uint32_t code = 0;
    for (QCheckBox* box : FBoxes)
        if (box->isChecked())
            code |= 1u << Tag(box);
    return code;
}

void TReasonCodeBox::Scroll(QWheelEvent* event)
{
    QScrollBar* bar = event->modifiers() & Qt::ShiftModifier ? horizontalScrollBar() : verticalScrollBar();
    const QPoint delta = event->angleDelta();
    bar->setValue(bar->value() - (delta.y() != 0 ? delta.y() : delta.x()));
    event->accept();
}

bool TReasonCodeBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == viewport()) {
        Scroll(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (auto* label = qobject_cast<QLabel*>(watched); label && event->type() == QEvent::MouseButtonRelease
                                                       && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (auto* box = qobject_cast<QCheckBox*>(label->buddy()))
            box->click();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
