#include "xlsxwrite/XmlSplice.h"

#include "xlsx/CellTexts.h"

#include <algorithm>

namespace xlsxwrite {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the value of attribute `name` lies in `tag` (after the quote), its
// length, and the quote; npos when the tag has no such attribute.
std::size_t findAttribute(std::string_view tag, std::string_view name, std::size_t& length)
{
    for (std::size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        if (at == 0 || !isSpace(tag[at - 1]))
            continue;
        std::size_t p = at + name.size();
        while (p < tag.size() && isSpace(tag[p]))
            ++p;
        if (p >= tag.size() || tag[p] != '=')
            continue;
        ++p;
        while (p < tag.size() && isSpace(tag[p]))
            ++p;
        if (p >= tag.size() || (tag[p] != '"' && tag[p] != '\''))
            continue;
        const std::size_t close = tag.find(tag[p], p + 1);
        if (close == std::string_view::npos)
            return std::string_view::npos;
        length = close - p - 1;
        return p + 1;
    }
    return std::string_view::npos;
}

} // namespace

std::string applySplices(std::string_view document, std::vector<Splice> splices)
{
    std::stable_sort(splices.begin(), splices.end(),
                     [](const Splice& a, const Splice& b) { return a.begin < b.begin; });
    std::size_t grown = 0;
    for (const Splice& splice : splices)
        grown += splice.text.size();
    std::string out;
    out.reserve(document.size() + grown);
    std::size_t at = 0;
    for (const Splice& splice : splices) {
        out.append(document.substr(at, splice.begin - at));
        out += splice.text;
        at = splice.end;
    }
    out.append(document.substr(at));
    return out;
}

std::string prefixOfTag(std::string_view tag)
{
    std::size_t end = 1;
    while (end < tag.size() && !isSpace(tag[end]) && tag[end] != '>' && tag[end] != '/')
        ++end;
    const std::string_view name = tag.substr(1, end - 1);
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

std::string withAttribute(std::string_view tag, std::string_view name, std::string_view value)
{
    std::size_t length = 0;
    const std::size_t at = findAttribute(tag, name, length);
    std::string out(tag);
    if (at != std::string_view::npos) {
        out.replace(at, length, value);
        return out;
    }
    std::size_t end = out.size() - 1; // before ">" or "/>"
    if (end > 0 && out[end - 1] == '/')
        --end;
    out.insert(end, " " + std::string(name) + "=\"" + std::string(value) + "\"");
    return out;
}

bool attributeOfTag(std::string_view tag, std::string_view name, std::string& value)
{
    std::size_t length = 0;
    const std::size_t at = findAttribute(tag, name, length);
    if (at == std::string_view::npos)
        return false;
    value.assign(tag.substr(at, length));
    return true;
}

std::string openedTag(std::string_view emptyElementTag)
{
    std::string_view tag = emptyElementTag;
    if (tag.ends_with("/>"))
        tag.remove_suffix(2);
    while (!tag.empty() && isSpace(tag.back()))
        tag.remove_suffix(1);
    return std::string(tag) + ">";
}

std::string escapeContent(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string textElement(const std::string& prefix, std::string_view text)
{
    const bool spaced = !text.empty() && (isSpace(text.front()) || isSpace(text.back()));
    return "<" + prefix + "t" + (spaced ? " xml:space=\"preserve\"" : "") + ">" +
           escapeContent(xlsx::escapeText(text)) + "</" + prefix + "t>";
}

} // namespace xlsxwrite
