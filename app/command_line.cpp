#include "app/command_line.h"

#include <windows.h>

namespace lobrin {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Moves `pos` past blanks and empty quoted words; returns false at the end.
bool SkipToWord(const std::string& text, std::size_t& pos) {
  for (;;) {
    while (pos < text.size() && IsBlank(text[pos])) {
      ++pos;
    }
    if (pos + 1 < text.size() && text[pos] == '"' && text[pos + 1] == '"') {
      pos += 2;
      continue;
    }
    return pos < text.size();
  }
}

std::string TakeWord(const std::string& text, std::size_t& pos) {
  std::size_t start = pos;
  bool quoted = false;
  while (pos < text.size() && (quoted || !IsBlank(text[pos]))) {
    if (text[pos] == '"') {
      quoted = !quoted;
    }
    ++pos;
  }
  return text.substr(start, pos - start);
}

}  // namespace

std::string CommandLineWord(const std::string& commandLine, int n) {
  std::size_t pos = 0;
  std::string word;
  for (int i = 0; i <= n; ++i) {
    if (!SkipToWord(commandLine, pos)) {
      return std::string();
    }
    word = TakeWord(commandLine, pos);
  }
  if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
    word = word.substr(1, word.size() - 2);
  }
  return word;
}

std::string ProgramArgument(int n) {
  if (n == 0) {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
  }
  const char* line = GetCommandLineA();
  return CommandLineWord(line ? line : "", n);
}

}  // namespace lobrin
