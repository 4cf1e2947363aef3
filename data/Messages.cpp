#include "Messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string FormatStringV(const IStringTable& table, int id, va_list args) {
    const std::string format = table.GetString(id);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format.c_str(), sizing);
    va_end(sizing);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format.c_str(), args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string FormatString(const IStringTable& table, int id, ...) {
    va_list args;
    va_start(args, id);
    std::string text = FormatStringV(table, id, args);
    va_end(args);
    return text;
}

void ReportMessageV(IMessageSink& sink, const IStringTable& table, int id, MessageIcon icon,
                    va_list args) {
    sink.ShowMessage(id, icon, FormatStringV(table, id, args));
}

void ReportMessage(IMessageSink& sink, const IStringTable& table, int id, MessageIcon icon, ...) {
    va_list args;
    va_start(args, icon);
    ReportMessageV(sink, table, id, icon, args);
    va_end(args);
}
