// Tokenising the configuration text and reading typed fields.
#include "tools/simfront/ConfigText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace simfront {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits one line into words; a quoted stretch belongs to the word it stands in, without the quotes.
bool SplitWords(std::string_view line, std::vector<std::string>& words, std::string& error) {
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size() || line[i] == '#') break;
        std::string word;
        while (i < line.size() && !IsBlank(line[i])) {
            if (line[i] == '"') {
                const size_t end = line.find('"', i + 1);
                if (end == std::string_view::npos) {
                    error = "unterminated quote";
                    return false;
                }
                word.append(line.substr(i + 1, end - i - 1));
                i = end + 1;
            } else {
                word.push_back(line[i++]);
            }
        }
        words.push_back(std::move(word));
    }
    return true;
}

}  // namespace

bool ParseConfigText(std::string_view text, std::vector<ConfigLine>& lines, std::string& error) {
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        std::vector<std::string> words;
        std::string problem;
        if (!SplitWords(line, words, problem)) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        if (words.empty()) continue;
        ConfigLine entry;
        entry.Number = number;
        entry.Kind = words[0];
        for (size_t w = 1; w < words.size(); ++w) {
            const size_t eq = words[w].find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "line " + std::to_string(number) + ": expected key=value, got '" + words[w] + "'";
                return false;
            }
            std::string key = words[w].substr(0, eq);
            for (const auto& field : entry.Fields) {
                if (field.first == key) {
                    error = "line " + std::to_string(number) + ": " + key + " is given twice";
                    return false;
                }
            }
            entry.Fields.emplace_back(std::move(key), words[w].substr(eq + 1));
        }
        lines.push_back(std::move(entry));
    }
    return true;
}

void CFieldReader::Fail(const std::string& what) {
    if (Error.empty()) Error = "line " + std::to_string(Line.Number) + ": " + what;
}

const std::string* CFieldReader::Find(const char* key, bool required) {
    for (size_t i = 0; i < Line.Fields.size(); ++i) {
        if (Line.Fields[i].first == key) {
            Used[i] = true;
            return &Line.Fields[i].second;
        }
    }
    if (required) Fail(Line.Kind + " needs " + key + "=");
    return nullptr;
}

void CFieldReader::Text(const char* key, std::string& out, size_t maxLength, bool required) {
    const std::string* value = Find(key, required);
    if (value == nullptr) return;
    if (value->size() > maxLength) {
        Fail(std::string(key) + " is longer than " + std::to_string(maxLength) + " characters");
        return;
    }
    out = *value;
}

void CFieldReader::Number(const char* key, double& out, bool required) {
    const std::string* value = Find(key, required);
    if (value == nullptr) return;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(value->c_str(), &end);
    if (value->empty() || *end != '\0' || errno != 0 || !std::isfinite(v)) {
        Fail(std::string(key) + " is not a number: '" + *value + "'");
        return;
    }
    out = v;
}

void CFieldReader::Integer(const char* key, int64_t& out, bool required) {
    const std::string* value = Find(key, required);
    if (value == nullptr) return;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(value->c_str(), &end, 10);
    if (value->empty() || *end != '\0' || errno != 0) {
        Fail(std::string(key) + " is not an integer: '" + *value + "'");
        return;
    }
    out = v;
}

void CFieldReader::Code(const char* key, char& out, const char* allowed, bool required) {
    const std::string* value = Find(key, required);
    if (value == nullptr) return;
    if (value->size() != 1 || std::strchr(allowed, (*value)[0]) == nullptr) {
        Fail(std::string(key) + " must be one of " + allowed + ", got '" + *value + "'");
        return;
    }
    out = (*value)[0];
}

bool CFieldReader::Finish(std::string& error) {
    for (size_t i = 0; i < Used.size(); ++i) {
        if (!Used[i]) Fail("unknown key '" + Line.Fields[i].first + "' for " + Line.Kind);
    }
    if (Error.empty()) return true;
    error = Error;
    return false;
}

}  // namespace simfront
