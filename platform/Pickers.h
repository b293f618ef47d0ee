#pragma once
// Date and time pickers. They behave as the desktop's date picker does: a
// click on a part of the value (year, month, day, hour, minute, second)
// selects that whole part, so the digits typed next replace it; Qt's own edit
// would put the cursor inside the part and refuse most of what is typed there.
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimeEdit>

template <class Edit>
class SectionPicker : public Edit {
public:
    explicit SectionPicker(QWidget* parent = nullptr) : Edit(parent) { this->lineEdit()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // After the line edit has placed the cursor for the click; a drag that
        // selected text of its own keeps that selection.
        if (watched == this->lineEdit() && event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !this->lineEdit()->hasSelectedText()
            && this->currentSection() != QDateTimeEdit::NoSection)
            this->setSelectedSection(this->currentSection());
        return Edit::eventFilter(watched, event);
    }
};

using DatePicker = SectionPicker<QDateEdit>;
using TimePicker = SectionPicker<QTimeEdit>;
using DateTimePicker = SectionPicker<QDateTimeEdit>;
