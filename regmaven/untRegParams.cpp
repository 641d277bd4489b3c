#include "regmaven/untRegParams.h"

#include "core/support/BinUtils.h"

namespace Regmaven {

bool TestTaxSystem(const TRegParams& Params, TTaxSystemBit Bit) { return TestBit(Params.TaxSystem, Bit); }
void SetTaxSystem(TRegParams& Params, TTaxSystemBit Bit) { SetBit(Params.TaxSystem, Bit); }
bool TestWorkMode(const TRegParams& Params, TWorkModeBit Bit) { return TestBit(Params.WorkMode, Bit); }
void SetWorkMode(TRegParams& Params, TWorkModeBit Bit) { SetBit(Params.WorkMode, Bit); }
void SetAgent(TRegParams& Params, TAgentBit Bit) { SetBit(Params.Agent, Bit); }

} // namespace Regmaven
