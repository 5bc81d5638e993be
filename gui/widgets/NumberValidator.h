#pragma once

#include <QValidator>

class QLineEdit;

// The rule of every numeric text box: only digits, "." and a leading "-".
// What is typed is read leniently later (text that is not a number counts as 0),
// so partial entries such as "-" or "." are accepted while typing.
class NumberValidator : public QValidator {
    Q_OBJECT
public:
    explicit NumberValidator(QObject* parent = nullptr);
    State validate(QString& input, int& position) const override;
};

// Makes a line edit numeric with the rule above.
void makeNumeric(QLineEdit* edit);
