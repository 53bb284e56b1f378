#include "tools/camsim/camsim_output.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

std::string Printable(const std::string& text)
{
    std::string shown = text;
    for (char& c : shown)
        if (c < 0x20 || c > 0x7E) c = '?';
    return shown;
}

void Say(const char* format, ...)
{
    va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    std::string line(text.data());
    if (!line.empty() && line.back() == '\n') line.pop_back();
    std::fputs((Printable(line) + "\n").c_str(), stdout);
}

void SayError(const std::string& message)
{
    std::fputs(("camsim: " + Printable(message) + "\n").c_str(), stderr);
}

int FinishOutput(int code)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
    SayError(std::string("cannot write the output: ") + std::strerror(errno));
    return 1;
}
