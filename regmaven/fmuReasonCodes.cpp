#include "regmaven/fmuReasonCodes.h"

#include "core/support/ReasonCodes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/NamedControls.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace Regmaven {

TfmReasonCodes::TfmReasonCodes(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmReasonCodes"));
    setWindowTitle(QStringLiteral("Коды причин изменения сведений о ККТ"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMinimumWidth(736);
    resize(736, 520);

    auto* layout = new QVBoxLayout(this);
    ScrollBox = NewControl<QScrollArea>(this, "ScrollBox");
    ScrollBox->setWidgetResizable(true);
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const TReasonCodeItem& item : ReasonCodeTable()) {
        const QString caption = QString::number(item.Bit + 1) + QStringLiteral(". ") + item.Text;
        const QByteArray name = "chk" + QByteArray::number(row);
        // The caption wraps in a label beside the box; a click on it toggles the box.
        QCheckBox* box = NewCheckBox(content, name.constData(), {});
        SetTag(box, item.Bit);
        box->setAccessibleName(caption);
        QLabel* label = NewLabel(content, caption);
        label->setWordWrap(true);
        label->setBuddy(box);
        label->installEventFilter(this);
        grid->addWidget(box, row, 0, Qt::AlignTop);
        grid->addWidget(label, row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    ScrollBox->setWidget(content);
    layout->addWidget(ScrollBox, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = NewControl<QPushButton>(this, "btnOk", QStringLiteral("OK"));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(btnOk);
    layout->addLayout(buttons);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QList<QCheckBox*> TfmReasonCodes::Boxes() const
{
    return ScrollBox->widget()->findChildren<QCheckBox*>();
}

QCheckBox* TfmReasonCodes::FindCheckBox(int Bit) const
{
    for (QCheckBox* box : Boxes())
        if (Tag(box) == Bit)
            return box;
    return nullptr;
}

void TfmReasonCodes::SetCode(uint32_t Value)
{
    for (QCheckBox* box : Boxes())
        box->setChecked((Value >> Tag(box)) & 1u);
}

uint32_t TfmReasonCodes::GetCode() const
{
    uint32_t code = 0;
    for (QCheckBox* box : Boxes())
        if (box->isChecked())
            code |= 1u << Tag(box);
    return code;
}

bool TfmReasonCodes::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* label = qobject_cast<QLabel*>(watched); label && event->type() == QEvent::MouseButtonRelease &&
                                                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (auto* box = qobject_cast<QCheckBox*>(label->buddy()))
            box->toggle();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmReasonCodes::wheelEvent(QWheelEvent* event)
{
    QScrollBar* bar = event->modifiers() & Qt::ShiftModifier ? ScrollBox->horizontalScrollBar()
                                                              : ScrollBox->verticalScrollBar();
    const QPoint delta = event->angleDelta();
    bar->setValue(bar->value() - (delta.y() != 0 ? delta.y() : delta.x()));
    event->accept();
}

} // namespace Regmaven
