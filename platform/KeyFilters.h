#pragma once
// Key filters of entry fields. Each keeps the typed characters it allows and
// drops the rest; pasted or dropped text is filtered the same way.
// Control keys (Backspace, Delete, arrows, Enter) always pass.
#include <QLineEdit>
#include <QObject>
#include <functional>

class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Allow = std::function<bool(QChar)>;
    KeyFilter(QLineEdit* edit, Allow allow);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cleanUp(const QString& text);
    QLineEdit* m_edit;
    Allow m_allow;
    bool m_cleaning = false;
};

// digits and Backspace
void DigitKeyFilter(QLineEdit* edit);
// digits, Backspace and "."
void DecimalKeyFilter(QLineEdit* edit);
// the characters from "/" to ":" and Backspace
void PhoneKeyFilter(QLineEdit* edit);
// everything but the apostrophe
void QuoteKeyFilter(QLineEdit* edit);
// no key at all: the field only shows text put there by code
void ReadOnlyKeyFilter(QLineEdit* edit);

// Shows a stored text whole in a field that has a length limit (0: none): the
// field takes the longer of the limit and the text, so a save after an edit
// never writes the stored value cut short.
void SetStoredText(QLineEdit* edit, const QString& text, int limit);

// Enter in the widget moves the focus to the next field.
void EnterAsTab(QWidget* widget);
// Enter in the widget runs an action (the field's default action).
void OnEnter(QWidget* widget, std::function<void()> action);
