#pragma once

// What the two numeric edits share: the yen prefix, the Enter key that a
// number edit swallows, and which focus changes enter or leave the edit.

#include <QChar>
#include <QKeyEvent>
#include <QString>

// Texts are Unicode here, so the prefix is the yen sign itself rather than
// the backslash byte that Japanese fonts drew as one.
inline constexpr QChar numeric_yen_prefix { 0x00A5 };

// A key the edit must not take: Enter (which would otherwise end up as a
// line break or a default-button press; the edit keeps it, as a multi-line
// edit would), or a key whose text holds a character the edit's filter
// refuses. Keys without text (arrows, Delete) and control characters
// (Backspace, the clipboard shortcuts) always pass; so does every character
// from U+0080 up, which the filter compares as a negative byte.
template <typename CharacterFilter>
bool IsRefusedNumericKey(const QKeyEvent& event, CharacterFilter passes)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return true;
    for (const QChar character : event.text()) {
        const char16_t code = character.unicode();
        if (code == u'\r')
            return true;
        if (code < u'!' || code >= 0x80)
            continue;
        if (!passes(code))
            return true;
    }
    return false;
}

// Opening a popup (a context menu) takes the focus for a moment without
// leaving the edit; every other focus change enters or leaves it.
inline bool EntersOrLeavesEdit(const QFocusEvent& event)
{
    return event.reason() != Qt::PopupFocusReason;
}
