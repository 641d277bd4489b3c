// The registration roads end to end from the work-type page on the emulated
// register: the register's state afterwards and the report the user sees.
#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "emulator/RegisterFN.h"
#include "regmaven/fmuBeforeCloseFN.h"
#include "regmaven/fmuFFD.h"
#include "regmaven/fmuFiscalizationInfo.h"
#include "regmaven/fmuINN.h"
#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/fmuUserParams.h"
#include "regmaven/fmuWorkMode.h"
#include "regmaven/untUtils.h"
#include "tests/regmaven/WizardTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace Regmaven;

namespace {

const QString INN = QStringLiteral("7707083893");

RegisterFN& FN()
{
    return TestRegister().Area<RegisterFN>();
}

class RegistrationRoadTest : public WizardTest {
protected:
    // From the work-type page along the item's road, each data page given
    // what it requires, until the page with the caption.
    void Walk(int item, const QString& last)
    {
        Page<TfmSelectWorkType>().listBox->setCurrentRow(item);
        int steps = 0;
        do {
            Fill();
            const TParamPage* before = Current();
            Next();
            ASSERT_NE(Current(), before) << Title().toStdString() << ": " << TestDialogs().lastMessage().toStdString();
        } while (Title() != last && ++steps < 20);
        ASSERT_EQ(Title(), last);
    }
    void Fill()
    {
        if (Current() == &Page<TfmFFD>())
            Page<TfmFFD>().cbbFFD->setCurrentIndex(0);
        if (auto& inn = Page<TfmINN>(); Current() == &inn && inn.edtINN->isEnabled()) {
            inn.edtINN->setText(INN);
            inn.edtRNM->setText(GenerateRNM(QStringLiteral("0000000001"), INN, TestRegister().State().Serial));
        }
        if (auto& user = Page<TfmUserParams>(); Current() == &user) {
            user.edtUser->setText(QStringLiteral("ООО Ромашка"));
            user.edtOperator->setText(QStringLiteral("Иванов"));
            user.edtAddress->setText(QStringLiteral("Москва"));
        }
        if (Current() == &Page<TfmWorkMode>())
            Page<TfmWorkMode>().chkTax0->setChecked(true);
        if (Current() == &Page<TfmBeforeCloseFN>())
            Page<TfmBeforeCloseFN>().edtCashier->setText(QStringLiteral("Иванов"));
    }
    QStringList Report() { return Page<TfmFiscalizationInfo>().Memo->toPlainText().split('\n'); }
};

} // namespace

TEST_F(RegistrationRoadTest, RegisterReRegisterAndCloseTheArchive)
{
    FN().Reset();
    Form();
    ReachWorkTypes();
    Walk(0, "Печать чека о фискализации");
    EXPECT_TRUE(FN().FiscalMode());
    EXPECT_EQ(FN().Registration.INN, INN);
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::Registration);
    EXPECT_TRUE(Report().contains("ИНН пользователя:" + QString(48 - 17 - 10, u' ') + INN));
    // Printed and saved as the user sees it.
    TestRegister().Paper().Clear();
    Page<TfmFiscalizationInfo>().btnPrintReceipt->click();
    EXPECT_EQ(TestRegister().Paper().Texts(), Report());
    const QString file = TestTempDir() + "/Fiscalization.txt";
    TestDialogs().answerFile(file);
    Page<TfmFiscalizationInfo>().btnSave->click();
    EXPECT_EQ(FileBytes(file), WideToAnsi(Report().join("\r\n") + "\r\n"));
    EXPECT_EQ(Next(), "Завершение");

    // The OFD takes the report; a re-registration without a new FN.
    FN().Confirm(FN().LastDocumentNumber());
    Next();
    ReachWorkTypes();
    Walk(1, "Печать чека о фискализации");
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::Reregistration);
    EXPECT_EQ(FN().RegistrationCount(), 2);
    const QString reason = GetReasonCodeName(FN().Documents.back().Registration.ReasonCode);
    ASSERT_FALSE(reason.isEmpty());
    EXPECT_TRUE(Report().contains("Причина перерегистр.:" + QString(48 - 21 - int(reason.size()), u' ') + reason));

    // A new FN in the register.
    FN().Reset();
    Next();
    Next();
    ReachWorkTypes();
    Walk(2, "Печать чека о фискализации");
    EXPECT_TRUE(FN().FiscalMode());
    EXPECT_EQ(FN().Documents.size(), 1u);
    EXPECT_FALSE(Report().join('\n').contains("Причина перерегистр."));

    // The calculation-state report, then the archive closed.
    Next();
    Next();
    ReachWorkTypes();
    Walk(3, "Выберите тип работы");
    EXPECT_EQ(TestDialogs().lastMessage(), "Отчет успешно распечатан");
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CalculationReport);
    FN().Confirm(FN().LastDocumentNumber());
    Walk(4, "Выберите тип работы");
    EXPECT_FALSE(FN().FiscalMode());
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CloseFN);
    EXPECT_EQ(TestRegister().Tables().Value(2, 30, 2).toString(), "Иванов");
}

TEST_F(RegistrationRoadTest, NoRoadBackToASecondDocument)
{
    FN().Reset();
    Form();
    ReachWorkTypes();
    Walk(0, "Печать чека о фискализации");
    const int documents = FN().LastDocumentNumber();
    // Back is off on the result page: the confirmation page is not reached again.
    EXPECT_FALSE(FForm->btnPrev->isEnabled());
    EXPECT_EQ(Prev(), "Печать чека о фискализации");
    Controller().Prev();
    EXPECT_EQ(Title(), "Печать чека о фискализации");
    // Back from the final page shows the result again, still without a way back.
    EXPECT_EQ(Next(), "Завершение");
    EXPECT_EQ(Prev(), "Печать чека о фискализации");
    EXPECT_FALSE(FForm->btnPrev->isEnabled());
    EXPECT_EQ(Next(), "Завершение");
    EXPECT_EQ(FN().LastDocumentNumber(), documents);
    EXPECT_EQ(FN().RegistrationCount(), 1);

    // The archive closed: no way back to the close either.
    FN().Confirm(FN().LastDocumentNumber());
    Next();
    ReachWorkTypes();
    Walk(4, "Закрытие архива ФН");
    Fill();
    Next();
    ASSERT_EQ(FN().Documents.back().Type, FNDocType::CloseFN);
    EXPECT_FALSE(FForm->btnPrev->isEnabled());
}
