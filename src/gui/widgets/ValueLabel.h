#pragma once
// The labels that show a computed value in a window: plain text, readable and
// copyable from the keyboard, named for screen readers after their row, with
// their text as the accessible description.

#include "render/QtText.h"

#include <QLabel>

#include <string>

namespace qv {

inline QLabel* makeValue(const QString& objectName, const QString& spokenName, QWidget* parent)
{
    auto* value = new QLabel(parent);
    value->setObjectName(objectName);
    value->setTextFormat(Qt::PlainText);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setAccessibleName(spokenName);
    return value;
}

// Shows `text` (UTF-8) and tells screen readers.
inline void setValue(QLabel* label, const std::string& text)
{
    label->setText(toQString(text));
    label->setAccessibleDescription(label->text());
}

} // namespace qv
