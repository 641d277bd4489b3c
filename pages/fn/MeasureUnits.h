#pragma once
// The measures of a quantity (FFD 1.2, tag 2108) as a list of the FN pages:
// "0. шт. или ед." to "255. Иное", each item carrying its code.
class QComboBox;

void CreateMeasureUnit(QComboBox* Combo);
