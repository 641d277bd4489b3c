#pragma once
// OnKeyPress of an edit: the handler sees each character typed into the
// control and sets Key to 0 to drop it. Keys that type no character (arrows,
// Delete), Ctrl shortcuts and pasted text do not pass through it.
//
//   OnKeyPress(edtDocumentNumber, this, &TfmFN::NumberKeyPress);
#include <QChar>
#include <functional>

class QWidget;

void SetKeyPress(QWidget* control, std::function<void(QChar& Key)> handler);

template <class T>
void OnKeyPress(QWidget* control, T* object, void (T::*handler)(QChar& Key))
{
    SetKeyPress(control, [object, handler](QChar& Key) { (object->*handler)(Key); });
}

// The digit filter of the pages: Backspace, Tab, "." and "0" to "9" pass.
void NumberKeyFilter(QChar& Key);
