#include "platform/KeyFilters.h"

#include <QKeyEvent>

KeyFilter::KeyFilter(QLineEdit* edit, Allow allow)
    : QObject(edit), m_edit(edit), m_allow(std::move(allow))
{
    edit->installEventFilter(this);
    // Paste, drop and input methods arrive as edits, not key presses.
    connect(edit, &QLineEdit::textEdited, this, &KeyFilter::cleanUp);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && !(key->modifiers() & Qt::ControlModifier)) {
            for (QChar c : text) {
                if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                    continue;   // control characters pass
                if (!m_allow(c))
                    return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void KeyFilter::cleanUp(const QString& text)
{
    if (m_cleaning)
        return;
    QString kept;
    int cursor = m_edit->cursorPosition();
    for (int i = 0; i < text.size(); ++i) {
        if (m_allow(text[i]))
            kept += text[i];
        else if (i < cursor)
            --cursor;
    }
    if (kept != text) {
        m_cleaning = true;
        m_edit->setText(kept);
        m_edit->setCursorPosition(qBound(0, cursor, int(kept.size())));
        m_cleaning = false;
    }
}

void DigitKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

void DecimalKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

void PhoneKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return c >= u'/' && c <= u':'; });
}

void QuoteKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return c != u'\''; });
}

void ReadOnlyKeyFilter(QLineEdit* edit)
{
    edit->setReadOnly(true);
}

void SetStoredText(QLineEdit* edit, const QString& text, int limit)
{
    if (limit > 0)
        edit->setMaxLength(qMax(limit, int(text.size())));
    edit->setText(text);
}

namespace {

class EnterFilter : public QObject {
public:
    EnterFilter(QWidget* w, std::function<void()> action) : QObject(w), m_action(std::move(action))
    {
        w->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                m_action();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

void EnterAsTab(QWidget* widget)
{
    new EnterFilter(widget, [widget] {
        QWidget* next = widget->nextInFocusChain();
        while (next && next != widget && (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() || !next->isVisible()))
            next = next->nextInFocusChain();
        if (next)
            next->setFocus(Qt::TabFocusReason);
    });
}

void OnEnter(QWidget* widget, std::function<void()> action)
{
    new EnterFilter(widget, std::move(action));
}
