#pragma once
// An up-down: a pair of arrow buttons that steps a position between Min and
// Max and shows it in an associated edit (whose Up and Down keys step too).
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    enum TUDBtnType { btNext, btPrev };

    explicit TUpDown(QWidget* parent = nullptr);

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetRange(int min, int max);           // the position is kept inside
    int Increment() const { return FIncrement; }
    void SetIncrement(int increment) { FIncrement = increment; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool wrap) { FWrap = wrap; }

    // The position; with an associated edit holding a number in range, that number.
    int Position() const;
    void SetPosition(int position);            // clamped to the range

    QLineEdit* Associate() const { return FAssociate; }
    void SetAssociate(QLineEdit* edit);

    // Steps as a click on one of the arrows does.
    void Click(TUDBtnType button);

signals:
    // Before a step by the user; a handler may refuse it.
    void changing(bool* allowChange);
    // Then, when still allowed, with the position the step leads to.
    void changingEx(int newPosition, bool* allowChange);
    // After a step by the user.
    void clicked(TUpDown::TUDBtnType button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowPosition();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    bool FWrap = false;
    QPointer<QLineEdit> FAssociate;
    QPointer<QObject> FAssociateObject;   // the same edit, for comparing in the event filter
    QToolButton* FUp;
    QToolButton* FDown;
};
