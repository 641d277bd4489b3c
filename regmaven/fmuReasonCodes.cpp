#include "regmaven/fmuReasonCodes.h"

#include "platform/ui/NamedControls.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace Regmaven {

TfmReasonCodes::TfmReasonCodes(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmReasonCodes"));
    setWindowTitle(QStringLiteral("Коды причин изменения сведений о ККТ"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMinimumWidth(736);
    resize(736, 520);

    auto* layout = new QVBoxLayout(this);
    ScrollBox = new TReasonCodeBox(this);
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

void TfmReasonCodes::wheelEvent(QWheelEvent* event)
{
    ScrollBox->Scroll(event);
}

} // namespace Regmaven
