#include "HexEdit.h"

#include <QRegularExpressionValidator>

THexEdit::THexEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(2);
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), this));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = cursorPosition();
            setText(upper);
            setCursorPosition(cursor);
        }
    });
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12);
}
