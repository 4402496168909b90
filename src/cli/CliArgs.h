// Options of a resoni-analyze command: "--key value", "--flag" and positional words.
// Numbers are parsed in the C locale; a malformed number is an error, never a silent 0.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

class CliUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class CliArgs
{
public:
    // valueOptions: names (without "--") that take a value; flagOptions: names that do not.
    // Throws CliUsageError for an unknown option or a missing value.
    CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
            const std::set<std::string>& flagOptions);

    const std::vector<std::string>& positional() const { return m_positional; }
    bool flag(const std::string& name) const { return m_flags.count(name) != 0; }
    bool has(const std::string& name) const { return m_values.count(name) != 0; }
    std::optional<std::string> text(const std::string& name) const;

    // The value of --name as a number, or fallback when absent. Throws CliUsageError
    // when the text is not a complete number (or not a whole number for getInt).
    double getDouble(const std::string& name, double fallback) const;
    long long getInt(const std::string& name, long long fallback) const;

private:
    std::vector<std::string> m_positional;
    std::set<std::string> m_flags;
    std::map<std::string, std::string> m_values;
};

// Strict C-locale conversions used by the option parser; throw CliUsageError with `what` in the message.
double parseDoubleStrict(const std::string& text, const std::string& what);
long long parseIntStrict(const std::string& text, const std::string& what);
