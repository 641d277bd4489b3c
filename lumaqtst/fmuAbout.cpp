#include "lumaqtst/fmuAbout.h"

#include "platform/ui/NamedControls.h"
#include "core/support/VersionInfo.h"
#include "platform/ui/Dialogs.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {
// The box's picture: the program's mark.
QPixmap AboutPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(QColor(0, 124, 176));
    QPainter p(&pixmap);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(36);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("L"));
    return pixmap;
}
} // namespace

TfmAbout::TfmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    auto* layout = new QGridLayout(this);
    auto* image = NewLabel(this, {}, "Image1");
    image->setPixmap(AboutPicture());
    auto* heading = NewLabel(this, QStringLiteral("Lumaq"), "lblHeading");
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    heading->setFont(font);
    lblDriverVersion = NewLabel(this, {}, "lblDriverVersion");
    lblTestVersion = NewLabel(this, {}, "lblTestVersion");
    auto* btnOK = NewControl<QPushButton>(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    layout->addWidget(image, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(heading, 0, 1, 1, 2);
    layout->addWidget(NewLabel(this, QStringLiteral("Версия драйвера:")), 1, 1);
    layout->addWidget(lblDriverVersion, 1, 2);
    layout->addWidget(NewLabel(this, QStringLiteral("Версия теста драйвера:")), 2, 1);
    layout->addWidget(lblTestVersion, 2, 2);
    layout->addWidget(btnOK, 3, 0, 1, 3, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);   // a dialog border: no resizing

    lblDriverVersion->setText(GetModuleVersion());
    lblTestVersion->setText(GetModuleVersion());
    Dialogs::KeepTitleWhole(this);
}

void ShowAboutBox(QWidget* owner)
{
    TfmAbout box(owner);
    box.adjustSize();
    if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())   // centred on the screen
        box.move(screen->availableGeometry().center() - box.rect().center());
    box.exec();
}
