#include "platform/ui/FormBuilder.h"

namespace builder_detail {

void SetHint(QWidget* control, const char* member)
{
    if (member && *member)
        control->setToolTip(QLatin1String(member));
}

QGridLayout* ButtonTable(const QList<QPushButton*>& buttons, int perColumn)
{
    auto* layout = new QGridLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    perColumn = std::max(1, perColumn);
    for (int i = 0; i < buttons.size(); ++i)
        layout->addWidget(buttons[i], i % perColumn, i / perColumn);
    layout->setRowStretch(perColumn, 1);
    return layout;
}

} // namespace builder_detail
