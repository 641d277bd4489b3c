#pragma once
// TfmEnterSerial: page "Введите заводской номер": writes the register's
// factory serial number when none is set. Enter in the edit takes the
// number out of a scanned text.
#include "regmaven/ParamPage.h"

class QLabel;
class QLineEdit;

namespace Regmaven {

// The third item of a ";"-separated list (blanks and control characters
// separate too; an item in double quotes stays whole); with fewer than three
// items the text unchanged.
QString ExtractSerial(const QString& Text);
// Empty, or "0" characters only.
bool IsEmptySerial(const QString& Text);

class TfmEnterSerial : public TParamPage {
    Q_OBJECT
public:
    TfmEnterSerial();
    void Next() override;

    // Writes the entered number (its scanned text's number) when the
    // register has none; an empty edit writes nothing.
    void WriteSerial();

    QLineEdit* edtSerial;
    QLabel* lblSerialEntered;

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the register has a serial number, and which.
    static bool ReadSerial(QString& Serial);
};

} // namespace Regmaven
