#pragma once
// Key filters of entry fields. Each keeps the typed characters it allows and
// drops the rest. The number filters and the joined-line filter take a pasted
// or dropped text whole when every character of it would be accepted typed
// and the result fits the field, else leave the field as it was: a paste is
// never turned into another value. The others drop the characters of a paste
// they would not take typed.
// Control keys (Backspace, Delete, arrows, Enter) always pass.
#include <QLineEdit>
#include <QObject>
#include <functional>

class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Allow = std::function<bool(QChar)>;
    enum class Paste { DropRefusedCharacters, WholeOrNothing };
    KeyFilter(QLineEdit* edit, Allow allow, Paste paste = Paste::DropRefusedCharacters);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cleanUp(const QString& text);
    // Whether inserting the text, in place of the selection or not, keeps
    // every character allowed and the field within its limit.
    bool takesWhole(const QString& inserted, bool replacesSelection) const;
    // Lets a paste or drop through when it is taken whole, else beeps.
    bool refuses(const QString& inserted, bool replacesSelection) const;
    bool guardPaste(QEvent* event);
    QLineEdit* m_edit;
    Allow m_allow;
    Paste m_paste;
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
// everything but the apostrophe and the vertical bar: for a line stored
// joined to others by "|", which must come back as the same line. A paste or
// drop holding either is refused whole.
void JoinedLineKeyFilter(QLineEdit* edit);
// no key at all: the field only shows text put there by code
void ReadOnlyKeyFilter(QLineEdit* edit);

// At most the given number of characters, counted as the user sees them: a
// character outside the basic plane (an emoji, a rare ideograph) counts one
// and is kept or dropped whole, never split. What is typed, pasted or set by
// code past the limit is dropped, the text before and after the insertion
// kept. Use it in place of QLineEdit::setMaxLength, which counts UTF-16 units.
void MaxLengthFilter(QLineEdit* edit, int characters);
// The limit a field got from MaxLengthFilter, 0 for none.
int MaxLengthOf(const QLineEdit* edit);
// The number of characters of a text as MaxLengthFilter counts them.
int CharacterCount(const QString& text);

// Shows a stored text whole in a field limited by MaxLengthFilter to the given
// number of characters (0: no limit): the field then takes the longer of the
// limit and the text, so a save after an edit never writes the stored value
// cut short. An empty text brings the limit back.
void SetStoredText(QLineEdit* edit, const QString& text, int limit);

// Enter in the widget moves the focus to the next field.
void EnterAsTab(QWidget* widget);
// Enter in the widget runs an action (the field's default action).
void OnEnter(QWidget* widget, std::function<void()> action);
