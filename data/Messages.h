#pragma once

#include <cstdarg>
#include <string>

// The loaders and computations never show anything themselves: they hand a formatted
// message to a sink, and take the texts from a string table keyed by the resource ids.

enum class MessageIcon { Error, Warning, Information, Question };

class IStringTable {
public:
    virtual ~IStringTable() = default;
    // The text of string `id`, or an empty string when the table has none.
    virtual std::string GetString(int id) const = 0;
};

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // `text` is the string-table entry `stringId` after printf-style formatting.
    virtual void ShowMessage(int stringId, MessageIcon icon, const std::string& text) = 0;
};

// printf-style formatting of string `id` of `table`, as the framework's message helper does.
std::string FormatString(const IStringTable& table, int id, ...);

std::string FormatStringV(const IStringTable& table, int id, va_list args);

// Formats string `id` and hands it to `sink` with `icon`.
void ReportMessage(IMessageSink& sink, const IStringTable& table, int id, MessageIcon icon, ...);
void ReportMessageV(IMessageSink& sink, const IStringTable& table, int id, MessageIcon icon,
                    va_list args);
