// The numeric entry field.
#include "DataEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <cmath>
#include <cstdint>

#include "entry/Evaluator.h"
#include "entry/Units.h"
#include "project/GeneralFormat.h"
#include "project/Messages.h"

namespace korven {
namespace {

constexpr long double kIntLow  = -2147483648.0L;
constexpr long double kIntHigh = 2147483647.0L;

long double ClampInt(long double v) { return v < kIntLow ? kIntLow : v > kIntHigh ? kIntHigh : v; }

class TScopedFlag {
public:
    explicit TScopedFlag(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TScopedFlag() { FFlag = false; }
    TScopedFlag(const TScopedFlag&)            = delete;
    TScopedFlag& operator=(const TScopedFlag&) = delete;

private:
    bool& FFlag;
};

}  // namespace

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent) { setText(QStringLiteral("0")); }

QString TDataEdit::FormatNumber(bool hex, long double value) {
    if (hex) {
        // a 32-bit pattern, as the field's integers are 32-bit
        const long double r = std::nearbyint(ClampInt(value));
        const auto bits     = static_cast<std::uint32_t>(static_cast<std::int32_t>(r));
        return QLatin1Char('$')
               + QString::number(bits, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    }
    QString text = QString::fromStdString(FormatGeneral(value, 18));
    // typed numbers use the user's separator, so the shown value must read back the same way
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String(".")) text.replace(QLatin1Char('.'), point);
    return text;
}

long double TDataEdit::Number() const { return EvaluateExpression(text()); }

bool TDataEdit::TryNumber(long double& value) const {
    try {
        value = Number();
        return true;
    } catch (const EAssignError&) {
        return false;
    }
}

void TDataEdit::SetNumber(long double value) {
    if (std::isnan(value)) value = 0;
    if (value < FMinVal) value = FMinVal;
    if (value > FMaxVal) value = FMaxVal;
    setText(FormatNumber(FHex, value));
}

void TDataEdit::SetMinVal(long double value) {
    if (value > FMaxVal) value = FMaxVal;
    if (FIntegerOnly) value = ClampInt(value);
    FMinVal         = value;
    long double now = 0;
    if (TryNumber(now) && value > now) SetNumber(value);
}

void TDataEdit::SetMaxVal(long double value) {
    if (value < FMinVal) value = FMinVal;
    if (FIntegerOnly) value = ClampInt(value);
    FMaxVal         = value;
    long double now = 0;
    if (TryNumber(now) && now > value) SetNumber(value);
}

void TDataEdit::SetIntegerOnly(bool on) {
    FIntegerOnly = on;
    if (on) {
        SetMaxVal(FMaxVal);
        SetMinVal(FMinVal);
    }
}

void TDataEdit::SetHex(bool on) {
    FHex            = on;
    long double now = 0;
    if (TryNumber(now)) SetNumber(now);
}

void TDataEdit::SetCaption(const QString& caption) {
    FCaption = caption;
    RefreshLabel();
}

void TDataEdit::SetEditLabel(QLabel* label) {
    FEditLabel = label;
    if (label) label->setBuddy(this);
    RefreshLabel();
}

void TDataEdit::SetUnitsString(const QString& code) {
    FUnitsString = code;
    RefreshLabel();
}

void TDataEdit::SetUnits(int units) {
    FUnits = units < 1 ? 1 : units > 3 ? 3 : units;
    RefreshLabel();
}

QString TDataEdit::LabelText() const {
    if (FUnitsString.isEmpty()) return FCaption;
    return FCaption + QStringLiteral(" (")
           + QString::fromStdString(FieldUnitName(FUnitsString.toStdString(), FUnits))
           + QLatin1Char(')');
}

void TDataEdit::RefreshLabel() {
    if (!FEditLabel) return;
    FEditLabel->setEnabled(isEnabled());
    FEditLabel->setText(LabelText());
}

void TDataEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) RefreshLabel();
}

bool TDataEdit::Validate() {
    ExitCheck();
    return FValid;
}

void TDataEdit::Refuse(const QString& message) {
    ShowMessage(this, TMsgKind::Error, message);
    if (isVisible()) {
        if (QWidget* form = window()) form->activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
    emit Checked(false);
}

void TDataEdit::ExitCheck() {
    if (FChecking) return;
    TScopedFlag busy(FChecking);
    FValid        = false;
    long double v = 0;
    try {
        v = Number();
    } catch (const EAssignError& e) {
        Refuse(FIntegerOnly ? QStringLiteral("Entry must be a valid integer.")
                            : QString::fromUtf8(e.what()));
        return;
    }
    if (FIntegerOnly && v != std::trunc(v)) {
        Refuse(QStringLiteral("Entry must be an integer."));
        return;
    }
    if (v < FMinVal) {
        SetNumber(FMinVal);
        Refuse(QStringLiteral("Entry must be greater than or equal to ")
               + FormatNumber(FHex, FMinVal));
        return;
    }
    if (v > FMaxVal) {
        SetNumber(FMaxVal);
        Refuse(QStringLiteral("Entry must be less than or equal to ")
               + FormatNumber(FHex, FMaxVal));
        return;
    }
    setText(FormatNumber(FHex, v));
    FValid = true;
    emit Checked(true);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Focus lost to a popup, to the menu bar or to another top-level window (a message box, the
    // window manager) is not the user leaving the field; a menu command checks it, once.
    const Qt::FocusReason why = event->reason();
    if (FChecking || why == Qt::PopupFocusReason || why == Qt::MenuBarFocusReason
        || why == Qt::ActiveWindowFocusReason)
        return;
    ExitCheck();
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ExitCheck();
        selectAll();
        event->accept();
        return;
    }
    static const QString kOperators = QStringLiteral("+-/*^=%!");
    const QString typed             = event->text();
    if (typed.size() == 1 && kOperators.contains(typed) && hasSelectedText()
        && selectedText() == text())
        end(false);
    QLineEdit::keyPressEvent(event);
}

}  // namespace korven
