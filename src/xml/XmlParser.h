// Streaming XML (expat): the document is pushed through in chunks and its
// elements and texts go to a Handler as they come, so that a part of any
// size is read in constant memory. Documents that declare a document type
// or entities are refused before anything of the declaration is used (no
// entity expansion, no external resources), and a single tag or text that
// grows past 8 MiB without any element or text being reported is refused,
// since expat keeps a whole tag in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace xml {

// An element's attributes: name, value, name, value, ..., then nullptr.
using Attributes = const char* const*;

// The value of the attribute named `name`, or nullptr.
const char* attribute(Attributes attributes, std::string_view name);

// Between a namespace's URI and the local name in names of Names::Expanded.
constexpr char kNamespaceSeparator = '\x01';

// How element and attribute names reach the handler.
enum class Names {
    // "uri\x01local" for a name in a namespace, "local" for one without:
    // what matters is the namespace, not the prefix a writer chose.
    Expanded,
    // As written, prefix and all ("table:table-cell"): cheaper where every
    // name carries a prefix and the document binds them once at the top.
    AsWritten,
};

// The local part of a name of Names::Expanded.
std::string_view localName(const char* name);

class Handler {
  public:
    virtual ~Handler() = default;
    virtual void startElement(const char* name, Attributes attributes) = 0;
    virtual void endElement(const char* name) = 0;
    // A piece of character data, in UTF-8; one text may come in several pieces.
    virtual void characters(std::string_view text) = 0;
};

// Fills `buffer` with up to `capacity` next bytes of the document and
// returns how many; 0 at its end.
using ReadChunk = std::function<std::size_t(char* buffer, std::size_t capacity)>;

class Parser {
  public:
    Parser(Handler& handler, Names names);
    ~Parser();
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Parses a whole document, chunk by chunk, or held in memory. Throws
    // common::Error with the reason (XmlMessages.h) when it is not
    // well-formed or not allowed; an exception thrown by the handler or by
    // `read` stops the parse and goes on to the caller as it is. A parser
    // parses one document.
    void parse(const ReadChunk& read);
    void parse(std::string_view document);

    // During a callback: where the bytes of the tag being reported begin in
    // the document, and how many there are. The end of an element written
    // as one empty-element tag ("<c/>", whose bytes its start reported)
    // lies right after it and has no bytes.
    std::uint64_t eventOffset() const;
    std::size_t eventLength() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace xml
