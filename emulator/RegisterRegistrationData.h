#pragma once
// The registration data a registered register keeps in its tables: the FN
// parameters (INN, registration number, user, OFD, settlement place, sender
// e-mail), the OFD link and the automat table, matching the FN's registration.
class EmulatedRegister;

// Fills the tables named by model parameters 72 (FN parameters) and 75
// (automat) from the FN's registration and a sample user.
void FillRegistrationTables(EmulatedRegister& reg);
