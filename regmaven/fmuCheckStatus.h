#pragma once
// TfmCheckStatus: the state check before the register's work, in three
// variants that differ only in their Next.
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmCheckStatus : public TParamPage {
    Q_OBJECT
public:
    TfmCheckStatus();
};

class TFmCheckStatusBeforeRegistration : public TfmCheckStatus {
    Q_OBJECT
public:
    void Next() override;
};

class TFmCheckStatusBeforeReRegistration : public TfmCheckStatus {
    Q_OBJECT
public:
    void Next() override;
};

class TFmCheckStatusBeforeCloseFN : public TfmCheckStatus {
    Q_OBJECT
public:
    void Next() override;
};

} // namespace Regmaven
