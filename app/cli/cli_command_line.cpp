#include "app/cli/cli_command_line.h"

#include <cstdio>

namespace {

bool Plain(unsigned char c)
{
    return c > 0x20 && c < 0x7F && c != '"' && c != '\\';
}

std::string ArgumentText(const std::string& argument)
{
    bool plain = !argument.empty();
    for (unsigned char c : argument) plain = plain && Plain(c);
    if (plain) return argument;
    std::string text = "\"";
    for (unsigned char c : argument) {
        char escaped[8];
        if (c == '"' || c == '\\')
            text.append(1, '\\').append(1, static_cast<char>(c));
        else if (c >= 0x20 && c < 0x7F)
            text.append(1, static_cast<char>(c));
        else {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        }
    }
    return text + "\"";
}

}  // namespace

std::string CommandLineText(int argc, char** argv)
{
    std::string text = "vellmark-cli";
    for (int i = 1; i < argc; ++i) text += " " + ArgumentText(argv[i]);
    return text;
}
