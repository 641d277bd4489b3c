#include "regmaven/CheckLANPage.h"

#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDExchangeState);

TCheckLANPage::TCheckLANPage(const char* FormName, const QString& Caption) : TParamPage(FormName, Caption)
{
    TFormBuilder<TCheckLANPage> b(this);
    b.Grid()->setContentsMargins(40, 24, 40, 8);
    b.Label(NAMED(lblStatus), QStringLiteral("Подключение..."))->setWordWrap(true);
    lblStatus->setFont(BoldArial(14));
    lblStatus->setMinimumHeight(4 * lblStatus->fontMetrics().height());
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto buttons = b.Columns();
    buttons.Button({NAMED(btnStart), QStringLiteral("Повторить"), &TCheckLANPage::btnStartClick});
    buttons.Button({NAMED(btnStop), QStringLiteral("Остановить"), &TCheckLANPage::btnStopClick});
    buttons.Space();
    b.Space();
    btnStop->setEnabled(false);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(200);
    connect(Timer, &QTimer::timeout, this, [this] { UpdateView(); });
    Task.FOnCompleted = [this] { TaskCompleted(); };
}

TCheckLANPage::~TCheckLANPage()
{
    Task.Stop();
}

void TCheckLANPage::FormShow()
{
    lblStatus->setText(QStringLiteral("Проверка соединения..."));
    Start();
}

void TCheckLANPage::EnableWizard(bool Value)
{
    TController& c = Controller();
    c.EnablePrev(Value);
    c.EnableNext(Value);
    c.EnableHome(Value);
    // The settings dialog would use the driver object the worker is using.
    c.EnableSettings(Value);
}

void TCheckLANPage::Start()
{
    EnableWizard(false);
    lblStatus->setText(QStringLiteral("Подключение..."));
    btnStart->setEnabled(false);
    btnStop->setEnabled(true);
    Timer->start();
    Task.Execute();
}

void TCheckLANPage::btnStartClick()
{
    Start();
}

void TCheckLANPage::btnStopClick()
{
    Task.Stop();
}

void TCheckLANPage::UpdateView()
{
    btnStart->setEnabled(!Task.State().IsRunning());
    lblStatus->setText(Task.State().Text());
}

void TCheckLANPage::TaskCompleted()
{
    btnStart->setEnabled(true);
    btnStop->setEnabled(false);
    Timer->stop();
    UpdateView();
    EnableWizard(true);
}

void TCheckLANPage::CloseEvent()
{
    Task.Stop();
}

void TCheckLANPage::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDExchangeState>();
}

} // namespace Regmaven
