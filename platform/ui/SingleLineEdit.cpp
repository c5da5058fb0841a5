#include "platform/ui/SingleLineEdit.h"

#include <QValidator>

namespace {

// Sees every change of the edit's text before it shows: typing, paste, drop and setText all
// pass here. The text beside a change never holds a break, so a break comes from what was
// just put in, which ends at the cursor; that is kept only up to its first break.
class CFirstLineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        qsizetype nBreak = 0;
        while (nBreak < input.size() && input[nBreak] != u'\r' && input[nBreak] != u'\n')
            ++nBreak;
        if (nBreak == input.size())
            return Acceptable;
        const qsizetype nEnd = pos > nBreak ? pos : input.size();
        input.remove(nBreak, nEnd - nBreak);
        pos = static_cast<int>(nBreak);
        return Acceptable;
    }
};

} // namespace

CSingleLineEdit::CSingleLineEdit(QWidget* pParent) : QLineEdit(pParent)
{
    setValidator(new CFirstLineValidator(this));
}
