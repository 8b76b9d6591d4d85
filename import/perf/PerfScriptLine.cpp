#include "perf/PerfScriptLine.h"

#include <cctype>

namespace velmora_import {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool isHex(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Digits only, at least one; false on overflow past 18 digits.
bool parseNumber(std::string_view text, std::int64_t& value)
{
    // perf prints -1 for a thread that had ended before it was read.
    if (text == "-1") {
        value = -1;
        return true;
    }
    if (text.empty() || text.size() > 18)
        return false;
    value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "SECONDS.FRACTION" (6 or 9 decimals, or any count up to 9) into nanoseconds.
bool parseTime(std::string_view text, std::uint64_t& nanoseconds)
{
    const std::size_t dot = text.find('.');
    std::int64_t seconds = 0;
    if (dot == std::string_view::npos || !parseNumber(text.substr(0, dot), seconds))
        return false;
    const std::string_view fraction = text.substr(dot + 1);
    if (fraction.empty() || fraction.size() > 9)
        return false;
    std::int64_t digits = 0;
    if (!parseNumber(fraction, digits) || seconds > 9000000000)
        return false;
    for (std::size_t i = fraction.size(); i < 9; ++i)
        digits *= 10;
    nanoseconds = static_cast<std::uint64_t>(seconds) * 1000000000u + static_cast<std::uint64_t>(digits);
    return true;
}

// The start of the time token "digits.digits:" (followed by a space or the end), or npos.
std::size_t findTime(std::string_view line, std::size_t& colon)
{
    for (std::size_t at = line.find(':'); at != std::string_view::npos; at = line.find(':', at + 1)) {
        if (at + 1 < line.size() && !isSpace(line[at + 1]))
            continue;
        std::size_t start = at;
        bool dot = false;
        while (start > 0 && (isDigit(line[start - 1]) || (line[start - 1] == '.' && !dot))) {
            dot = dot || line[start - 1] == '.';
            --start;
        }
        if (dot && start < at && line[start] != '.' && line[at - 1] != '.' && start > 0 && isSpace(line[start - 1])) {
            colon = at;
            return start;
        }
    }
    return std::string_view::npos;
}

// The last whitespace-separated token of `text` (trimmed), and what lies before it.
std::string_view lastToken(std::string_view& text)
{
    text = trimmed(text);
    std::size_t start = text.size();
    while (start > 0 && !isSpace(text[start - 1]))
        --start;
    const std::string_view token = text.substr(start);
    text = text.substr(0, start);
    return token;
}

std::string_view firstToken(std::string_view& text)
{
    text = trimmed(text);
    std::size_t end = 0;
    while (end < text.size() && !isSpace(text[end]))
        ++end;
    const std::string_view token = text.substr(0, end);
    text = text.substr(end);
    return token;
}

} // namespace

bool PerfScriptLine::parseHeader(std::string_view line, PerfEvent& event)
{
    if (line.empty() || line.front() == '\t' || line.front() == '#')
        return false;
    std::size_t colon = 0;
    const std::size_t timeStart = findTime(line, colon);
    if (timeStart == std::string_view::npos || !parseTime(line.substr(timeStart, colon - timeStart), event.time))
        return false;

    std::string_view before = line.substr(0, timeStart);
    std::string_view token = lastToken(before);
    event.cpu = -1;
    if (token.size() >= 3 && token.front() == '[' && token.back() == ']') {
        std::int64_t cpu = 0;
        if (!parseNumber(token.substr(1, token.size() - 2), cpu) || cpu > 1000000)
            return false;
        event.cpu = static_cast<std::int32_t>(cpu);
        token = lastToken(before);
    }
    const std::size_t slash = token.find('/');
    event.pid = -1;
    if (slash != std::string_view::npos && !parseNumber(token.substr(0, slash), event.pid))
        return false;
    if (!parseNumber(slash == std::string_view::npos ? token : token.substr(slash + 1), event.tid))
        return false;
    event.comm = trimmed(before);

    std::string_view after = line.substr(colon + 1);
    std::string_view name = firstToken(after);
    event.period = 0;
    std::int64_t period = 0;
    if (parseNumber(name, period)) {
        event.period = static_cast<std::uint64_t>(period);
        name = firstToken(after);
    }
    if (name.size() < 2 || name.back() != ':')
        return false;
    event.name = name.substr(0, name.size() - 1);
    event.payload = trimmed(after);
    event.stack = {};
    return true;
}

bool PerfScriptLine::parseFrame(std::string_view line, PerfFrame& frame)
{
    line = trimmed(line);
    if (line.size() < 4 || line.back() != ')')
        return false;
    std::size_t open = line.size() - 1;
    for (int depth = 0; open-- > 0;) {
        if (line[open] == ')')
            ++depth;
        else if (line[open] == '(' && depth-- == 0)
            break;
    }
    if (open == std::string_view::npos || open == 0)
        return false;
    std::string_view module = line.substr(open + 1, line.size() - open - 2);
    const std::size_t slash = module.rfind('/');
    if (slash != std::string_view::npos && module.front() != '[')
        module.remove_prefix(slash + 1);
    std::string_view rest = line.substr(0, open);
    const std::string_view address = firstToken(rest);
    if (address.empty())
        return false;
    for (const char c : address)
        if (!isHex(c))
            return false;
    std::string_view symbol = trimmed(rest);
    // "name+0x1f": the offset inside the symbol tells nothing about where time goes.
    const std::size_t offset = symbol.rfind("+0x");
    if (offset != std::string_view::npos && offset > 0) {
        bool hexTail = offset + 3 < symbol.size();
        for (std::size_t i = offset + 3; i < symbol.size(); ++i)
            hexTail = hexTail && isHex(symbol[i]);
        if (hexTail)
            symbol = symbol.substr(0, offset);
    }
    frame.symbol = symbol.empty() ? std::string_view("[unknown]") : symbol;
    frame.module = module;
    return true;
}

bool PerfScriptLine::trailingFrame(std::string_view payload, PerfFrame& frame)
{
    const std::size_t field = payload.rfind('=');
    if (field != std::string_view::npos) {
        const std::size_t end = payload.find(' ', field);
        if (end == std::string_view::npos)
            return false;
        payload = payload.substr(end);
    }
    return parseFrame(payload, frame);
}

} // namespace velmora_import
