#include "platform/FileNameComponent.h"

#include "platform/ShiftJis.h"

std::string FileNameComponentOf(std::string_view sjis, std::size_t max_bytes)
{
    std::string component;
    for (std::size_t i = 0; i < sjis.size();) {
        // A trail byte may be 0x5C ("\"): characters are taken whole.
        const std::size_t length = CharLengthAt(sjis, i);
        const std::string_view character = sjis.substr(i, length);
        i += length;
        if (length == 1) {
            const auto c = static_cast<unsigned char>(character[0]);
            // A lead byte cut off at the end names no character.
            if (c < 0x20 || c == 0x7F || IsLeadByte(character[0]))
                continue;
            if (component.empty() && (c == '.' || c == ' '))
                continue;
            if (c == '/' || c == '\\') {
                component += '_';
                continue;
            }
        }
        if (component.size() + character.size() > max_bytes)
            break;
        component.append(character);
    }
    return component;
}
