// The text format of the front's configuration files: one entry per line, a kind word followed by
// key=value fields; values with blanks are written in double quotes; '#' starts a comment. Plain data,
// no I/O: callers pass the file's text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace simfront {

struct ConfigLine {
    int Number = 0;  // 1-based line number in the text
    std::string Kind;
    std::vector<std::pair<std::string, std::string>> Fields;
};

// Splits the text into entries. False, with "line N: ..." in error, on a field without '=' or an
// unterminated quote.
[[nodiscard]] bool ParseConfigText(std::string_view text, std::vector<ConfigLine>& lines, std::string& error);

// Reads the typed fields of one entry. Every getter leaves its output untouched when the key is
// absent; the first failure (bad value, too long, missing required key) is kept, and Finish also
// reports keys that no getter asked for.
class CFieldReader {
  public:
    explicit CFieldReader(const ConfigLine& line) : Line(line), Used(line.Fields.size(), false) {}

    void Text(const char* key, std::string& out, size_t maxLength, bool required = false);
    void Number(const char* key, double& out, bool required = false);
    void Integer(const char* key, int64_t& out, bool required = false);
    // One character among the allowed ones.
    void Code(const char* key, char& out, const char* allowed, bool required = false);

    // True when every field was read without error; else error holds "line N: ...".
    [[nodiscard]] bool Finish(std::string& error);

  private:
    const std::string* Find(const char* key, bool required);
    void Fail(const std::string& what);

    const ConfigLine& Line;
    std::vector<bool> Used;
    std::string Error;
};

}  // namespace simfront
