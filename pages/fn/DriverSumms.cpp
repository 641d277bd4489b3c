#include "pages/fn/DriverSumms.h"

#include "core/driver/untDriver.h"

namespace {
using TSummSetter = void (TOrvek::*)(const Currency&);
const TSummSetter SummSetters[] = {
    &TOrvek::setSumm1,  &TOrvek::setSumm2,  &TOrvek::setSumm3,  &TOrvek::setSumm4,  &TOrvek::setSumm5,
    &TOrvek::setSumm6,  &TOrvek::setSumm7,  &TOrvek::setSumm8,  &TOrvek::setSumm9,  &TOrvek::setSumm10,
    &TOrvek::setSumm11, &TOrvek::setSumm12, &TOrvek::setSumm13, &TOrvek::setSumm14, &TOrvek::setSumm15,
    &TOrvek::setSumm16, &TOrvek::setSumm17, &TOrvek::setSumm18, &TOrvek::setSumm19, &TOrvek::setSumm20,
};
const TSummSetter TaxValueSetters[] = {
    &TOrvek::setTaxValue1, &TOrvek::setTaxValue2, &TOrvek::setTaxValue3, &TOrvek::setTaxValue4,
    &TOrvek::setTaxValue5, &TOrvek::setTaxValue6, &TOrvek::setTaxValue7, &TOrvek::setTaxValue8,
    &TOrvek::setTaxValue9, &TOrvek::setTaxValue10,
};
} // namespace

void SetDriverSumm(int n, Currency value)
{
    (Driver().*SummSetters[n - 1])(value);
}

void SetDriverTaxValue(int n, Currency value)
{
    (Driver().*TaxValueSetters[n - 1])(value);
}
