#include "pages/fn/fmuReasonCodes.h"

#include "core/settings/ControlStore.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/Dialogs.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

TfmReasonCodes* fmReasonCodes = nullptr;

namespace {
constexpr int MinWidth = 736;
} // namespace

TfmReasonCodes::TfmReasonCodes(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmReasonCodes"));
    setWindowTitle(QStringLiteral("Коды причин изменения сведений о ККТ"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMinimumWidth(MinWidth);
    resize(MinWidth, 520);

    auto* layout = new QVBoxLayout(this);
    ScrollBox = new TReasonCodeBox(this);
    for (int i = 0; i < BoxCount && i < ScrollBox->Boxes().size(); ++i)
        chk[std::size_t(i)] = ScrollBox->Boxes()[i];
    layout->addWidget(ScrollBox, 1);

    auto* panel = NewControl<QWidget>(this, "Panel1");
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    btnOk = NewButton(panel, "btnOk", QStringLiteral("OK"), this, &TfmReasonCodes::btnOkClick);
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    layout->addWidget(panel);
    Dialogs::KeepTitleWhole(this);
    for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, btnOk, &QPushButton::click);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    LoadFormParams(this);
}

TfmReasonCodes::~TfmReasonCodes()
{
    SaveFormParams(this);
}

void TfmReasonCodes::btnOkClick()
{
    SetModalResult(Dialogs::mrOk);
}

void TfmReasonCodes::wheelEvent(QWheelEvent* event)
{
    ScrollBox->Scroll(event);
}
