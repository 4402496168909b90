// The text of an INI file held in memory: finds and replaces key lines in sections while every
// other byte (comments, unknown sections, line ends, blank lines) stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// Lines end at "\n", "\r\n" or a lone "\r"; the last line may lack its end. A line whose first
// non-blank character is '[' and that holds a ']' opens the section named by the text between
// them; a line starting with ';' or '#' is a comment; a line with '=' holds a key (the text
// before the first '=') and its value (the rest). Blanks (space, tab, vertical tab, form feed)
// around names and values do not count; section and key names compare without regard to ASCII case.
// Only the first section of a name is used: later sections of the same name are ignored.
class CIniText
{
public:
    CIniText() = default;
    explicit CIniText(std::string bytes) : m_strText(std::move(bytes)) {}

    // The value of key in section, without the blanks around it, or nothing when absent.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Replaces the key's line ("key=value") or adds it after the last key of the section; adds
    // the section at the end when missing. A line added after a key takes that key's line end;
    // other new lines take the line end the text uses first ("\n" when it has none). Line breaks inside value become blanks. Returns false, changing
    // nothing, when section or key cannot be stored so that they read back (see IsStorableName).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // A section or key name can be written when it is not blank and holds no line break; a
    // key also holds no '=' and does not start with '[', ';' or '#'; a section holds no ']'.
    static bool IsStorableSection(std::string_view section);
    static bool IsStorableKey(std::string_view key);

    const std::string& Text() const { return m_strText; }

private:
    std::string m_strText;
};

// Removes blanks (space, tab, vertical tab, form feed) at both ends.
std::string_view IniTrim(std::string_view text);
