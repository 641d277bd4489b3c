#pragma once
// The driver's numbered amounts by number: Summ1..Summ20 and TaxValue1..TaxValue10.
#include "core/binding/OrvekTypes.h"

void SetDriverSumm(int n, Currency value);
void SetDriverTaxValue(int n, Currency value);
