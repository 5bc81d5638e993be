#include "gui/widgets/NumberValidator.h"

#include <QLineEdit>

NumberValidator::NumberValidator(QObject* parent) : QValidator(parent) {}

QValidator::State NumberValidator::validate(QString& input, int&) const
{
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c.isDigit() && c.unicode() < 128)
            continue;
        if (c == u'.' || (c == u'-' && i == 0))
            continue;
        return Invalid;
    }
    return Acceptable;
}

void makeNumeric(QLineEdit* edit)
{
    edit->setValidator(new NumberValidator(edit));
}
