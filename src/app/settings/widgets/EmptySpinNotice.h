#pragma once
// A spin box whose text the user has emptied keeps its last number (and so
// does the model behind it); until a number is typed again, or the box loses
// the focus and shows the number again, the status line asks for a value.

class QSpinBox;
class QString;
class TSettingsPage;

void noticeEmptySpin(TSettingsPage& page, QSpinBox* spin, const QString& caption);
