#include "ProcessFigures.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

// A Linux file, read whole through drive Z:; empty when it cannot be read.
std::string readLinuxFile(const std::string& path)
{
    std::string windowsPath = "Z:" + path;
    for (char& c : windowsPath)
        if (c == '/')
            c = '\\';
    HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

std::string normalised(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '/')
            c = '\\';
    }
    return text;
}

// The value of `name` in a /proc environ block (NUL-separated "name=value" entries).
std::string environValue(const std::string& block, const std::string& name)
{
    std::string key = name + "=";
    size_t at = 0;
    while (at < block.size()) {
        size_t end = block.find('\0', at);
        if (end == std::string::npos)
            end = block.size();
        if (block.compare(at, key.size(), key) == 0)
            return block.substr(at + key.size(), end - at - key.size());
        at = end + 1;
    }
    return std::string();
}

std::string ownPrefix()
{
    char value[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableA("WINEPREFIX", value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value) : std::string();
}

// Every Linux process id, from the folder names of /proc.
std::vector<int> linuxProcesses()
{
    std::vector<int> ids;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return ids;
    do {
        char* end = nullptr;
        long id = std::strtol(found.cFileName, &end, 10);
        if (end && *end == '\0' && id > 0)
            ids.push_back(static_cast<int>(id));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ids;
}

bool inOwnPrefix(int pid, const std::string& prefix)
{
    std::string variables = readLinuxFile("/proc/" + std::to_string(pid) + "/environ");
    return !prefix.empty() && environValue(variables, "WINEPREFIX") == prefix;
}

}  // namespace

int unixProcessOf(const std::string& program)
{
    std::string wanted = normalised(program);
    std::string prefix = ownPrefix();
    for (int pid : linuxProcesses()) {
        std::string line = readLinuxFile("/proc/" + std::to_string(pid) + "/cmdline");
        std::string first = normalised(line.substr(0, line.find('\0')));
        if (first.size() >= wanted.size() &&
            first.compare(first.size() - wanted.size(), wanted.size(), wanted) == 0 &&
            inOwnPrefix(pid, prefix))
            return pid;
    }
    return 0;
}

int wineserverProcess()
{
    std::string prefix = ownPrefix();
    for (int pid : linuxProcesses()) {
        std::string name = readLinuxFile("/proc/" + std::to_string(pid) + "/comm");
        if (name.compare(0, 10, "wineserver") == 0 && inOwnPrefix(pid, prefix))
            return pid;
    }
    return 0;
}

double unixCpuMilliseconds(int pid)
{
    if (pid <= 0)
        return -1;
    std::string stat = readLinuxFile("/proc/" + std::to_string(pid) + "/stat");
    // The command name stands in brackets and may hold blanks: count fields after it.
    size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::vector<std::string> fields;
    size_t at = close + 2;
    while (at < stat.size() && fields.size() < 13) {
        size_t end = stat.find(' ', at);
        if (end == std::string::npos)
            end = stat.size();
        fields.push_back(stat.substr(at, end - at));
        at = end + 1;
    }
    if (fields.size() < 13)
        return -1;
    // Fields 14 and 15 of the whole line (utime, stime) are 12 and 13 after the name; Linux
    // counts them in clock ticks of 10 ms.
    double ticks = std::atof(fields[11].c_str()) + std::atof(fields[12].c_str());
    return ticks * 10.0;
}

double privateMegabytes(HANDLE process)
{
    double bytes = 0;
    MEMORY_BASIC_INFORMATION info;
    ULONG_PTR address = 0;
    while (VirtualQueryEx(process, reinterpret_cast<void*>(address), &info, sizeof info) ==
           sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            bytes += static_cast<double>(info.RegionSize);
        ULONG_PTR next = reinterpret_cast<ULONG_PTR>(info.BaseAddress) + info.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return bytes / 1048576.0;
}

double nowMilliseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
