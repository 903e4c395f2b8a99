#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The few field kinds the settlement and member windows share, so that they look alike:
// read-only figures, the large amounts a cashier reads across the counter, plain buttons.
namespace FormFields {

// A line edit named `objectName`; read-only ones are drawn flat on the window's colour.
QLineEdit* edit(QWidget* parent, const char* objectName, bool readOnly = false);
// A large, bold, right-aligned amount in `color` (for 应收金额, 实收金额, 找零).
void makeAmount(QLineEdit* e, const QString& color, int pointSize = 16);
// A right-aligned money field of normal size.
void alignMoney(QLineEdit* e);
// A button that does not steal Enter from the fields.
QPushButton* button(QWidget* parent, const QString& caption, const char* objectName);
// A caption label.
QLabel* label(QWidget* parent, const QString& text);
// Sets a read-only field and tells accessibility what changed.
void setText(QLineEdit* e, const QString& text);

} // namespace FormFields
