#pragma once
// TfmAuthKey: "Авторизация", the register's authorisation key.
#include "core/pages/untPages.h"

#include <cstdint>

class QLineEdit;
class QPushButton;
class TOrvek;

class TfmAuthKey : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Авторизация";
    explicit TfmAuthKey(QWidget* owner = nullptr);

    QLineEdit* edtAuthKey;
    QPushButton* btnWriteAuthKey;
    QPushButton* btnRewriteAuthKey;
    QPushButton* btnResetAuthKey;

private:
    void btnWriteAuthKeyClick();
    void btnRewriteAuthKeyClick();
    void btnResetAuthKeyClick();
    // AuthKey := the edit, the method; the edit emptied on success.
    void WriteKey(std::int32_t (TOrvek::*Method)());
};
