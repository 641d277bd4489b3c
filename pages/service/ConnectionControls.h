#pragma once
// Controls shared by the connection pages: the COM number list, the baud-rate
// codes and the computer-name prompt.
#include <QStringList>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// "COM1" .. "COM256", each with its number attached; the selected index i is port i + 1.
void FillComNumbers(QComboBox* Combo);
// The rates of the codes 0 to 9 as combo items.
QStringList BaudRateItems();
// True for a computer name the driver can reach: a host name or an IP
// address, optionally followed by ":" and a port 1..65535.
bool IsValidComputerName(const QString& Name);
// Asks for a computer name ("Укажите имя компьютера"); a confirmed valid name
// replaces the edit's text, an invalid one gets a message and changes
// nothing, a cancel changes nothing.
void BrowseComputerName(QLineEdit* Edit);
// Puts a small browse button ("...") beside an edit of the grid.
void PlaceBrowseButton(QGridLayout* Grid, QLineEdit* Edit, QPushButton* Button);
