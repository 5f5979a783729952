// The numeric entry field: takes a number or an expression, checks it against its bounds when
// the user leaves it or presses Enter, and shows the value in a standard form.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <limits>

namespace korven {

class TDataEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDataEdit(QWidget* parent = nullptr);

    bool IntegerOnly() const { return FIntegerOnly; }
    void SetIntegerOnly(bool on);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    QLabel* EditLabel() const { return FEditLabel; }
    void SetEditLabel(QLabel* label);
    bool Hex() const { return FHex; }
    void SetHex(bool on);
    long double MaxVal() const { return FMaxVal; }
    void SetMaxVal(long double value);
    long double MinVal() const { return FMinVal; }
    void SetMinVal(long double value);
    /// The text evaluated; throws EAssignError when it is not a valid entry.
    long double Number() const;
    void SetNumber(long double value);
    const QString& UnitsString() const { return FUnitsString; }
    void SetUnitsString(const QString& code);
    int Units() const { return FUnits; }
    void SetUnits(int units);
    bool Valid() const { return FValid; }

    /// Runs the exit check and tells whether the entry is valid; a wrong entry has been reported.
    bool Validate();

    /// "$" and at least four hex digits with `hex`, otherwise 18 significant digits.
    static QString FormatNumber(bool hex, long double value);

    /// Caption with the unit name of the current unit system in parentheses.
    QString LabelText() const;

    static constexpr long double kLargest = std::numeric_limits<long double>::max();

signals:
    /// The exit check ran; `valid` tells whether the entry was accepted.
    void Checked(bool valid);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ExitCheck();
    void Refuse(const QString& message);
    void RefreshLabel();
    bool TryNumber(long double& value) const;

    bool FIntegerOnly   = false;
    bool FHex           = false;
    bool FValid         = false;
    bool FChecking      = false;  ///< a message box of the check is up: focus changes are ours
    long double FMaxVal = kLargest;
    long double FMinVal = -kLargest;
    int FUnits          = 1;
    QString FCaption;
    QString FUnitsString;
    QPointer<QLabel> FEditLabel;
};

}  // namespace korven
