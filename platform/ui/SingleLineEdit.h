#pragma once

#include <QLineEdit>

// The edit of a dialog template. Like the platform's single-line edit it never holds a line
// break: text pasted, dropped or set into it stops at its first CR or LF.
class CSingleLineEdit : public QLineEdit
{
public:
    explicit CSingleLineEdit(QWidget* pParent);
};
