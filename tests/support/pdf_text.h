#pragma once

#include <cstdio>
#include <memory>
#include <regex>
#include <string>

// The text of a PDF as a reader would select it (with `layout`, line by line as the page shows it, so a
// table's row stays together), blanks collapsed to one space; empty without pdftotext (poppler-utils).
inline std::string pdfText(const std::string& path, bool layout = false)
{
    const std::string command =
        std::string("pdftotext -enc UTF-8 ") + (layout ? "-layout '" : "'") + path + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
        text += buffer;
    return std::regex_replace(text, std::regex("\\s+"), " ");
}
