#pragma once
// The edit limits of a window, each tried on its edit.
class QWidget;

// Every edit limit under root is the edit's validator (no validator set
// later replaced it); a text from code longer than the limit stays whole;
// a paste (unless the limit takes pastes whole) and typing stop at the
// limit. Edits whose own validator refuses digits are left out. Each edit
// gets its text back; failures name the edit.
void ExpectEditLimitsHold(QWidget* root);
