#include "pages/fn/fmuReasonCodes.h"

#include "core/settings/ControlStore.h"
#include "core/support/ReasonCodes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/NamedControls.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

TfmReasonCodes* fmReasonCodes = nullptr;

namespace {
constexpr int MinWidth = 736;
const char* const LabelBox = "box";  // property of a caption: the index of its check box
} // namespace

TfmReasonCodes::TfmReasonCodes(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmReasonCodes"));
    setWindowTitle(QStringLiteral("Коды причин изменения сведений о ККТ"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMinimumWidth(MinWidth);
    resize(MinWidth, 520);

    auto* layout = new QVBoxLayout(this);
    ScrollBox = NewControl<QScrollArea>(this, "ScrollBox");
    ScrollBox->setWidgetResizable(true);
    // The content goes in empty: its wrapped captions are measured when the
    // dialog is first shown, not at program start.
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setColumnStretch(1, 1);
    ScrollBox->setWidget(content);
    const QList<TReasonCodeItem>& table = ReasonCodeTable();
    for (int i = 0; i < BoxCount && i < table.size(); ++i) {
        const TReasonCodeItem& item = table[i];
        const QString caption = QString::number(item.Bit + 1) + QStringLiteral(". ") + item.Text;
        QCheckBox* box = NewCheckBox(content, QStringLiteral("chk%1").arg(i).toLatin1().constData(), {});
        SetTag(box, item.Bit);
        box->setAccessibleName(caption);
        QLabel* label = NewLabel(content, caption);
        label->setWordWrap(true);
        label->setBuddy(box);
        label->setProperty(LabelBox, i);
        label->installEventFilter(this);
        grid->addWidget(box, i, 0, Qt::AlignTop);
        grid->addWidget(label, i, 1);
        chk[std::size_t(i)] = box;
    }
    grid->setRowStretch(BoxCount, 1);
    ScrollBox->viewport()->installEventFilter(this);
    layout->addWidget(ScrollBox, 1);

    auto* panel = NewControl<QWidget>(this, "Panel1");
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    btnOk = NewButton(panel, "btnOk", QStringLiteral("OK"), this, &TfmReasonCodes::btnOkClick);
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    layout->addWidget(panel);
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

QCheckBox* TfmReasonCodes::FindCheckBox(int Bit) const
{
    for (QCheckBox* box : ScrollBox->widget()->findChildren<QCheckBox*>())
        if (Tag(box) == Bit)
            return box;
    return nullptr;
}

void TfmReasonCodes::SetCode(uint32_t Value)
{
    for (int bit = 0; bit < 32; ++bit)
        if (QCheckBox* box = FindCheckBox(bit))
            box->setChecked((Value >> bit) & 1u);
}

uint32_t TfmReasonCodes::GetCode() const
{
    uint32_t code = 0;
    for (QCheckBox* box : ScrollBox->widget()->findChildren<QCheckBox*>())
        if (box->isChecked())
            code |= 1u << Tag(box);
    return code;
}

void TfmReasonCodes::btnOkClick()
{
    SetModalResult(Dialogs::mrOk);
}

void TfmReasonCodes::FormMouseWheel(QWheelEvent* event)
{
    const bool horizontal = event->modifiers() & Qt::ShiftModifier;
    QScrollBar* bar = horizontal ? ScrollBox->horizontalScrollBar() : ScrollBox->verticalScrollBar();
    const QPoint delta = event->angleDelta();
    bar->setValue(bar->value() - (delta.y() != 0 ? delta.y() : delta.x()));
    event->accept();
}

void TfmReasonCodes::wheelEvent(QWheelEvent* event)
{
    FormMouseWheel(event);
}

bool TfmReasonCodes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == ScrollBox->viewport()) {
        FormMouseWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    // A click on a caption toggles its box.
    if (event->type() == QEvent::MouseButtonRelease && watched->property(LabelBox).isValid() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        chk[std::size_t(watched->property(LabelBox).toInt())]->click();
        return true;
    }
    return TBaseForm::eventFilter(watched, event);
}
