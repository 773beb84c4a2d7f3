#pragma once

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// Options that take no value.
inline const std::vector<std::string> kFlags { "--speck", "--force", "--upside-down" };

// Options of one command: --name value, --name=value or a flag, each at most once.
class OptionReader {
public:
    std::string Read(
        const std::vector<std::string>& arguments, size_t first, const std::vector<std::string>& known)
    {
        for (size_t i = first; i < arguments.size(); ++i) {
            std::string name = arguments[i];
            std::optional<std::string> value;
            if (name.rfind("--", 0) != 0 && name != "-o")
                return "unexpected argument '" + name + "'";
            if (const size_t equals = name.find('='); equals != std::string::npos) {
                value = name.substr(equals + 1);
                name.resize(equals);
            }
            if (name == "-o")
                name = "--output";
            if (std::find(known.begin(), known.end(), name) == known.end())
                return "unknown option '" + name + "' for this command";
            const bool flag = std::find(kFlags.begin(), kFlags.end(), name) != kFlags.end();
            if (flag && value)
                return "option " + name + " takes no value";
            if (flag)
                value = "";
            if (!value) {
                if (i + 1 >= arguments.size())
                    return "option " + name + " needs a value";
                value = arguments[++i];
            }
            if (!m_values.emplace(name, *value).second)
                return "option " + name + " given twice";
        }
        return {};
    }

    const std::string* Find(const std::string& name) const
    {
        const auto found = m_values.find(name);
        return found == m_values.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, std::string> m_values;
};

template <typename Number>
std::string ParseNumberText(const std::string& name, const std::string& text, Number low, Number high,
    Number& value, const char* form = "a number")
{
    Number parsed {};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (text.empty() || error != std::errc() || stop != end || parsed < low || parsed > high) {
        std::ostringstream message;
        message << "option " << name << " wants " << form << " from " << low << " to " << high << ", got '"
                << text << "'";
        return message.str();
    }
    value = parsed;
    return {};
}
