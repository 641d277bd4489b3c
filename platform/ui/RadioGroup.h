#pragma once
// A radio group: a captioned box that shows one radio button per item and
// keeps the chosen item's index. Its buttons are unnamed children of the box.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    QStringList Items() const { return FItems; }
    void SetItems(const QStringList& items);       // the index becomes -1
    int ItemIndex() const { return FItemIndex; }
    // -1 (or any index outside the items) leaves no button chosen.
    void SetItemIndex(int index);
    int Columns() const { return FColumns; }
    void SetColumns(int columns);
    QRadioButton* Button(int index) const;

signals:
    // The chosen item changed, by the user or from code.
    void clicked();

private:
    void Rebuild();
    void ButtonToggled(int index, bool checked);

    QStringList FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
    QButtonGroup* FGroup;
    QGridLayout* FLayout;
};
