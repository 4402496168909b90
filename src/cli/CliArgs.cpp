#include "CliArgs.h"

#include <cerrno>
#include <charconv>
#include <cmath>

CliArgs::CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flagOptions)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string name = a.substr(2);
            std::string inlineValue;
            bool hasInline = false;
            if (auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.resize(eq);
                hasInline = true;
            }
            if (valueOptions.count(name)) {
                if (hasInline) {
                    m_values[name] = inlineValue;
                } else {
                    if (i + 1 >= args.size())
                        throw CliUsageError("option --" + name + " needs a value");
                    m_values[name] = args[++i];
                }
            } else if (flagOptions.count(name) && !hasInline) {
                m_flags.insert(name);
            } else {
                throw CliUsageError("unknown option --" + name);
            }
        } else {
            m_positional.push_back(a);
        }
    }
}

std::optional<std::string> CliArgs::text(const std::string& name) const
{
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

double CliArgs::getDouble(const std::string& name, double fallback) const
{
    auto v = text(name);
    return v ? parseDoubleStrict(*v, "--" + name) : fallback;
}

long long CliArgs::getInt(const std::string& name, long long fallback) const
{
    auto v = text(name);
    return v ? parseIntStrict(*v, "--" + name) : fallback;
}

double parseDoubleStrict(const std::string& text, const std::string& what)
{
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value); // locale-independent
    if (text.empty() || ec != std::errc() || ptr != last || !std::isfinite(value))
        throw CliUsageError(what + ": '" + text + "' is not a number");
    return value;
}

long long parseIntStrict(const std::string& text, const std::string& what)
{
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (text.empty() || ec != std::errc() || ptr != last)
        throw CliUsageError(what + ": '" + text + "' is not a whole number");
    return value;
}
