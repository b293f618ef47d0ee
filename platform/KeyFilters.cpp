#include "platform/KeyFilters.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

KeyFilter::KeyFilter(QLineEdit* edit, Allow allow, Paste paste)
    : QObject(edit), m_edit(edit), m_allow(std::move(allow)), m_paste(paste)
{
    edit->installEventFilter(this);
    // Paste, drop and input methods arrive as edits, not key presses.
    connect(edit, &QLineEdit::textEdited, this, &KeyFilter::cleanUp);
}

bool KeyFilter::takesWhole(const QString& inserted, bool replacesSelection) const
{
    for (QChar c : inserted)
        if (!m_allow(c))
            return false;
    int kept = CharacterCount(m_edit->text());
    if (replacesSelection && m_edit->hasSelectedText())
        kept -= CharacterCount(m_edit->selectedText());
    const int limit = MaxLengthOf(m_edit) > 0 ? MaxLengthOf(m_edit) : m_edit->maxLength();
    return kept + CharacterCount(inserted) <= limit;
}

bool KeyFilter::refuses(const QString& inserted, bool replacesSelection) const
{
    if (takesWhole(inserted, replacesSelection))
        return false;
    QApplication::beep();
    return true;
}

// The ways text arrives other than typed: the paste keys, the middle button
// (the selection clipboard), a drop and the context menu's paste.
bool KeyFilter::guardPaste(QEvent* event)
{
    // Only the events below reach the field itself: a line edit being
    // destroyed still gets others (its focus leaving), when it is no longer one.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    if (m_edit->isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
            return refuses(QApplication::clipboard()->text(), true);
        return false;
    case QEvent::MouseButtonRelease:
        // The line edit drops the selection and inserts at the cursor.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton
            && QApplication::clipboard()->supportsSelection())
            return refuses(QApplication::clipboard()->text(QClipboard::Selection), false);
        return false;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->source() == m_edit && drop->dropAction() == Qt::MoveAction)
            return false;   // text moved within the field: nothing is added
        // A drop places the cursor at the drop point, leaving no selection.
        if (!refuses(drop->mimeData()->text(), false))
            return false;
        drop->ignore();
        return true;
    }
    case QEvent::ContextMenu: {
        QMenu* menu = m_edit->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : menu->actions()) {
            // The menu's paste, known by its text (the same translation the line edit uses).
            if (!action->text().startsWith(QLineEdit::tr("&Paste")))
                continue;
            QObject::disconnect(action, &QAction::triggered, m_edit, nullptr);
            connect(action, &QAction::triggered, m_edit, [this] {
                if (!refuses(QApplication::clipboard()->text(), true))
                    m_edit->paste();
            });
        }
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && m_paste == Paste::WholeOrNothing && guardPaste(event))
        return true;
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
    new KeyFilter(edit, [](QChar c) { return c >= u'0' && c <= u'9'; }, KeyFilter::Paste::WholeOrNothing);
}

void DecimalKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; },
                  KeyFilter::Paste::WholeOrNothing);
}

void PhoneKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return c >= u'/' && c <= u':'; });
}

void QuoteKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return c != u'\''; });
}

void JoinedLineKeyFilter(QLineEdit* edit)
{
    new KeyFilter(edit, [](QChar c) { return c != u'\'' && c != u'|'; }, KeyFilter::Paste::WholeOrNothing);
}

void ReadOnlyKeyFilter(QLineEdit* edit)
{
    edit->setReadOnly(true);
}

namespace {

const char* const MaxLengthProperty = "tabulorMaxCharacters";

// Drops the characters past the limit that the last change put before the
// cursor (the inserted text ends there), then any still left at the end.
void enforceMaxLength(QLineEdit* edit, int limit)
{
    const QString text = edit->text();
    int excess = CharacterCount(text) - limit;
    if (excess <= 0)
        return;
    const auto startsPair = [&](int i) {
        return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
    };
    int cursor = edit->cursorPosition();
    if (cursor > 0 && cursor < text.size() && startsPair(cursor - 1))
        ++cursor;   // never between the halves of one character
    int from = cursor;
    while (excess > 0 && from > 0) {
        from -= from >= 2 && startsPair(from - 2) ? 2 : 1;
        --excess;
    }
    QString kept = text.left(from) + text.mid(cursor);
    while (excess > 0 && !kept.isEmpty()) {
        const int n = kept.size();
        kept.chop(n >= 2 && kept[n - 1].isLowSurrogate() && kept[n - 2].isHighSurrogate() ? 2 : 1);
        --excess;
    }
    edit->setText(kept);   // within the limit: the handler this raises again stops at once
    edit->setCursorPosition(qMin(int(from), int(kept.size())));
}

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

int CharacterCount(const QString& text)
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i, ++n)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    return n;
}

void MaxLengthFilter(QLineEdit* edit, int characters)
{
    edit->setProperty(MaxLengthProperty, characters);
    // QLineEdit's own limit counts UTF-16 units: it stays out of the way.
    edit->setMaxLength(32767);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        enforceMaxLength(edit, MaxLengthOf(edit));
    });
    enforceMaxLength(edit, characters);
}

int MaxLengthOf(const QLineEdit* edit)
{
    return edit->property(MaxLengthProperty).toInt();
}

void SetStoredText(QLineEdit* edit, const QString& text, int limit)
{
    if (limit > 0)
        edit->setProperty(MaxLengthProperty, qMax(limit, CharacterCount(text)));
    edit->setText(text);
}

void EnterAsTab(QWidget* widget)
{
    new EnterFilter(widget, [widget] {
        // The next field, not a part of this one (an editable combo box's own text box).
        QWidget* next = widget->nextInFocusChain();
        while (next && next != widget
               && (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() || !next->isVisible()
                   || widget->isAncestorOf(next)))
            next = next->nextInFocusChain();
        if (next)
            next->setFocus(Qt::TabFocusReason);
    });
}

void OnEnter(QWidget* widget, std::function<void()> action)
{
    new EnterFilter(widget, std::move(action));
}
