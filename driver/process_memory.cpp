#include "process_memory.h"

#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace lobrin::gui {

namespace {

// The whole content of a file (Linux /proc files report size 0, so read to the end).
std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file name part of the first word of a /proc cmdline.
std::string ProgramFileName(const std::string& cmdline) {
  const std::string first = cmdline.substr(0, cmdline.find('\0'));
  const size_t slash = first.find_last_of("\\/");
  return slash == std::string::npos ? first : first.substr(slash + 1);
}

// The value of `name` in a /proc environ block `block`.
std::string EnvironmentValue(const std::string& block, const std::string& name) {
  const std::string entries = '\0' + block, key = '\0' + name + "=";
  const size_t at = entries.find(key);
  if (at == std::string::npos) {
    return {};
  }
  const size_t start = at + key.size();
  return entries.substr(start, entries.find('\0', start) - start);
}

// Field 22 of /proc/<pid>/stat: the start time in clock ticks.
unsigned long long StartTimeOf(const std::string& stat) {
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) {
    return 0;
  }
  const char* p = stat.c_str() + close + 1;
  for (int field = 3; field < 22 && *p != '\0'; ++field) {
    while (*p == ' ') {
      ++p;
    }
    while (*p != ' ' && *p != '\0') {
      ++p;
    }
  }
  return std::strtoull(p, nullptr, 10);
}

// The sum of the kB figures of every line of `text` that starts with one of `keys`.
uint64_t SumKilobytes(const std::string& text, std::initializer_list<const char*> keys) {
  uint64_t total = 0;
  for (const char* key : keys) {
    const size_t at = text.find(std::string("\n") + key);
    if (at == std::string::npos) {
      continue;
    }
    total += std::strtoull(text.c_str() + at + 1 + std::strlen(key), nullptr, 10) * 1024;
  }
  return total;
}

}  // namespace

unsigned long UnixPidOf(const std::string& exeFileName) {
  char prefix[MAX_PATH] = {};
  GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);

  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) {
    return 0;
  }
  unsigned long best = 0;
  unsigned long long bestStart = 0;
  do {
    char* end = nullptr;
    const unsigned long pid = std::strtoul(entry.cFileName, &end, 10);
    if (pid == 0 || *end != '\0') {
      continue;
    }
    const std::string dir = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    const std::string program = ProgramFileName(ReadWholeFile(dir + "cmdline"));
    if (_stricmp(program.c_str(), exeFileName.c_str()) != 0) {
      continue;
    }
    if (EnvironmentValue(ReadWholeFile(dir + "environ"), "WINEPREFIX") != prefix) {
      continue;
    }
    const unsigned long long start = StartTimeOf(ReadWholeFile(dir + "stat"));
    if (best == 0 || start >= bestStart) {
      best = pid;
      bestStart = start;
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return best;
}

ProcessMemory MeasureProcess(HANDLE process, unsigned long unixPid) {
  ProcessMemory memory;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
    memory.workingSet = counters.WorkingSetSize;
    memory.privateBytes = counters.PrivateUsage;
  }
  if (unixPid != 0) {
    const std::string rollup = ReadWholeFile("Z:\\proc\\" + std::to_string(unixPid) + "\\smaps_rollup");
    // Anonymous pages: heap and other private allocations. "Private_*" would
    // also count file pages that merely stopped being shared with another
    // Wine process, so it moves whenever one starts or ends.
    memory.privateBytes = SumKilobytes(rollup, {"Anonymous:", "Swap:"});
  }
  memory.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  memory.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  return memory;
}

}  // namespace lobrin::gui
