#include "xml/XmlParser.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "xml/XmlMessages.h"

#include <expat.h>

#include <cstring>
#include <exception>
#include <new>
#include <string>

namespace xml {

namespace {

// Inflating into expat's own buffer in chunks of this size; larger ones
// are no faster.
constexpr std::size_t kChunk = std::size_t{64} << 10;
// Expat keeps one tag (with all its attributes) or one run of text whole:
// bound that by the bytes fed without any event.
constexpr std::uint64_t kMaxBytesWithoutEvent = std::uint64_t{8} << 20;
// XML_Parse takes an int: documents held in memory go in pieces of this size.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;

} // namespace

const char* attribute(Attributes attributes, std::string_view name)
{
    for (; *attributes; attributes += 2)
        if (name == attributes[0])
            return attributes[1];
    return nullptr;
}

std::string_view localName(const char* name)
{
    const char* separator = std::strchr(name, kNamespaceSeparator);
    return separator ? std::string_view(separator + 1) : std::string_view(name);
}

struct Parser::Impl {
    Handler& handler;
    XML_Parser parser;
    std::exception_ptr failure;    // what a callback threw
    const char* refusal = nullptr; // why a declaration was refused
    std::uint64_t events = 0;

    Impl(Handler& h, Names names)
        : handler(h), parser(names == Names::Expanded ? XML_ParserCreateNS(nullptr, kNamespaceSeparator)
                                                      : XML_ParserCreate(nullptr))
    {
        if (!parser)
            throw std::bad_alloc();
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, onStart, onEnd);
        XML_SetCharacterDataHandler(parser, onText);
        // Called before the internal subset: no entity is ever declared.
        XML_SetStartDoctypeDeclHandler(parser, onDoctype);
        XML_SetEntityDeclHandler(parser, onEntity);
    }
    ~Impl() { XML_ParserFree(parser); }

    static Impl& of(void* user) { return *static_cast<Impl*>(user); }

    // Exceptions must not pass through expat's C frames: a callback's is
    // kept, the parser stopped, and the exception thrown again after.
    template <typename Call> void guarded(Call&& call)
    {
        ++events;
        try {
            call();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
    static void XMLCALL onStart(void* user, const XML_Char* name, const XML_Char** attributes)
    {
        Impl& impl = of(user);
        impl.guarded([&] { impl.handler.startElement(name, attributes); });
    }
    static void XMLCALL onEnd(void* user, const XML_Char* name)
    {
        Impl& impl = of(user);
        impl.guarded([&] { impl.handler.endElement(name); });
    }
    static void XMLCALL onText(void* user, const XML_Char* text, int length)
    {
        Impl& impl = of(user);
        impl.guarded(
            [&] { impl.handler.characters(std::string_view(text, static_cast<std::size_t>(length))); });
    }
    void refuse(const char* reason)
    {
        if (!refusal)
            refusal = reason;
        XML_StopParser(parser, XML_FALSE);
    }
    static void XMLCALL onDoctype(void* user, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        of(user).refuse(kReasonDocumentType);
    }
    static void XMLCALL onEntity(void* user, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                 const XML_Char*, const XML_Char*, const XML_Char*)
    {
        of(user).refuse(kReasonEntity);
    }

    void check(XML_Status status)
    {
        if (failure)
            std::rethrow_exception(failure);
        if (refusal)
            throw common::Error(refusal);
        if (status == XML_STATUS_OK)
            return;
        const XML_Error code = XML_GetErrorCode(parser);
        if (code == XML_ERROR_NO_MEMORY)
            throw common::Error(kReasonOutOfMemory);
        throw common::Error(common::formatMessage(
            kReasonNotWellFormed, {std::to_string(XML_GetCurrentLineNumber(parser)), XML_ErrorString(code)}));
    }
};

Parser::Parser(Handler& handler, Names names) : m_impl(std::make_unique<Impl>(handler, names)) {}

Parser::~Parser() = default;

void Parser::parse(const ReadChunk& read)
{
    XML_Parser parser = m_impl->parser;
    std::uint64_t withoutEvent = 0;
    for (;;) {
        void* buffer = XML_GetBuffer(parser, static_cast<int>(kChunk));
        if (!buffer)
            throw common::Error(kReasonOutOfMemory);
        const std::uint64_t eventsBefore = m_impl->events;
        const std::size_t got = read(static_cast<char*>(buffer), kChunk);
        m_impl->check(XML_ParseBuffer(parser, static_cast<int>(got), got == 0));
        if (got == 0)
            return;
        withoutEvent = m_impl->events == eventsBefore ? withoutEvent + got : 0;
        if (withoutEvent > kMaxBytesWithoutEvent)
            throw common::Error(kReasonTokenTooLong);
    }
}

void Parser::parse(std::string_view document)
{
    do {
        const std::string_view piece = document.substr(0, kMaxPiece);
        document.remove_prefix(piece.size());
        m_impl->check(
            XML_Parse(m_impl->parser, piece.data(), static_cast<int>(piece.size()), document.empty()));
    } while (!document.empty());
}

std::uint64_t Parser::eventOffset() const
{
    return static_cast<std::uint64_t>(XML_GetCurrentByteIndex(m_impl->parser));
}

std::size_t Parser::eventLength() const
{
    return static_cast<std::size_t>(XML_GetCurrentByteCount(m_impl->parser));
}

} // namespace xml
