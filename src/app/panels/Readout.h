#pragma once
// A read-out label: a value shown as text under a fixed accessible name
// ("Count CH0", "Hall Value"). A screen reader hears the name and, as the
// description, the value, so it is set with the text.

#include <QLabel>

inline void showReadout(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
    if (label->accessibleDescription() != text)
        label->setAccessibleDescription(text);
}
