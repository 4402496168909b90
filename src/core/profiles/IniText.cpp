#include "IniText.h"

#include <cstddef>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// One line of the text: [begin, end) is its content, next the start of the following line.
struct LineSpan
{
    std::size_t begin = 0, end = 0, next = 0;
    bool hasEnd() const { return next > end; }
};

LineSpan lineAt(std::string_view text, std::size_t pos)
{
    LineSpan line;
    line.begin = pos;
    const std::size_t e = text.find_first_of("\r\n", pos);
    if (e == std::string_view::npos) {
        line.end = line.next = text.size();
        return line;
    }
    line.end = e;
    line.next = e + ((text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ? 2 : 1);
    return line;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key lines: the value, trimmed
};

ParsedLine parseLine(std::string_view content)
{
    ParsedLine parsed;
    const std::string_view t = IniTrim(content);
    if (t.empty() || t[0] == ';' || t[0] == '#')
        return parsed;
    if (t[0] == '[') {
        const std::size_t close = t.find(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = IniTrim(t.substr(1, close - 1));
        }
        return parsed;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return parsed;
    parsed.name = IniTrim(t.substr(0, eq));
    if (parsed.name.empty())
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.value = IniTrim(t.substr(eq + 1));
    return parsed;
}

} // namespace

std::string_view IniTrim(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

bool CIniText::IsStorableSection(std::string_view section)
{
    const std::string_view t = IniTrim(section);
    return !t.empty() && t.find_first_of("]\r\n") == std::string_view::npos;
}

bool CIniText::IsStorableKey(std::string_view key)
{
    const std::string_view t = IniTrim(key);
    return !t.empty() && t.find_first_of("=\r\n") == std::string_view::npos && t[0] != '[' && t[0] != ';' &&
           t[0] != '#';
}

std::optional<std::string_view> CIniText::Find(std::string_view section, std::string_view key) const
{
    const std::string_view text = m_strText;
    section = IniTrim(section);
    key = IniTrim(key);
    bool inSection = false;
    bool seenSection = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const LineSpan line = lineAt(text, pos);
        pos = line.next;
        const ParsedLine parsed = parseLine(text.substr(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                return std::nullopt; // the first section of that name is over
            inSection = !seenSection && equalsNoCase(parsed.name, section);
            seenSection = seenSection || inSection;
        } else if (inSection && parsed.kind == LineKind::Key && equalsNoCase(parsed.name, key)) {
            return parsed.value;
        }
    }
    return std::nullopt;
}

bool CIniText::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsStorableSection(section) || !IsStorableKey(key))
        return false;
    section = IniTrim(section);
    key = IniTrim(key);

    std::string line(key);
    line += '=';
    line += value;
    for (std::size_t i = key.size() + 1; i < line.size(); ++i)
        if (line[i] == '\r' || line[i] == '\n')
            line[i] = ' ';

    const std::string_view text = m_strText;
    // The line end of the file: the first one found, "\n" when none.
    std::string eol = "\n";
    if (const LineSpan first = lineAt(text, 0); first.hasEnd())
        eol = std::string(text.substr(first.end, first.next - first.end));

    bool inSection = false;
    // Where a new key line goes: after the last key line of the section, else after its header.
    const LineSpan* insertAfter = nullptr;
    LineSpan anchor;
    for (std::size_t pos = 0; pos < text.size();) {
        const LineSpan span = lineAt(text, pos);
        pos = span.next;
        const ParsedLine parsed = parseLine(text.substr(span.begin, span.end - span.begin));
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                break;
            if (!insertAfter && equalsNoCase(parsed.name, section)) {
                inSection = true;
                anchor = span;
                insertAfter = &anchor;
            }
        } else if (inSection && parsed.kind == LineKind::Key) {
            if (equalsNoCase(parsed.name, key)) {
                m_strText.replace(span.begin, span.end - span.begin, line);
                return true;
            }
            anchor = span;
        }
    }

    if (insertAfter) {
        std::string insertion;
        if (anchor.hasEnd()) {
            // The anchor's own line end: a lone "\r" there is never followed by '\n', so the new
            // line cannot merge with the next one.
            insertion = line + std::string(text.substr(anchor.end, anchor.next - anchor.end));
        } else {
            insertion = eol + line; // the anchor is the last line and has no line end yet
        }
        m_strText.insert(anchor.next, insertion);
        return true;
    }

    // A new section at the end of the text.
    if (!m_strText.empty() && m_strText.back() != '\n' && m_strText.back() != '\r')
        m_strText += eol;
    m_strText += '[';
    m_strText += section;
    m_strText += ']';
    m_strText += eol;
    m_strText += line;
    m_strText += eol;
    return true;
}
