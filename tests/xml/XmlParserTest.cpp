// Streaming XML: what reaches the handler, where each tag lies, and the
// documents refused (declarations, entities, endless tags).
#include "xml/XmlParser.h"
#include "common/Error.h"
#include "support/TestSupport.h"
#include "xml/XmlMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

using testing_support::errorOf;

namespace {

// Writes each event as a line: "<name a=v>", "</name>", "text".
class Recorder : public xml::Handler {
  public:
    const xml::Parser* parser = nullptr;
    std::string log;
    std::vector<std::pair<std::uint64_t, std::size_t>> places; // of every tag event

    void startElement(const char* name, xml::Attributes attributes) override
    {
        log += "<" + readable(name);
        for (; *attributes; attributes += 2)
            log += " " + readable(attributes[0]) + "=" + attributes[1];
        log += ">";
        note();
    }
    void endElement(const char* name) override
    {
        log += "</" + readable(name) + ">";
        note();
    }
    void characters(std::string_view text) override { log += text; }

  private:
    static std::string readable(std::string name)
    {
        std::replace(name.begin(), name.end(), xml::kNamespaceSeparator, '|');
        return name;
    }
    void note()
    {
        if (parser)
            places.emplace_back(parser->eventOffset(), parser->eventLength());
    }
};

std::string parsed(std::string_view document, xml::Names names = xml::Names::Expanded)
{
    Recorder recorder;
    xml::Parser parser(recorder, names);
    parser.parse(document);
    return recorder.log;
}

TEST(XmlParser, NamesComeWithTheirNamespaceOrAsWritten)
{
    const std::string document = "<x:a xmlns:x=\"urn:m\" xmlns:r=\"urn:r\" r:id=\"7\" b=\"&amp;&#28006;\">"
                                 "t&lt;1<x:c/></x:a>";
    EXPECT_EQ(parsed(document), "<urn:m|a urn:r|id=7 b=&浦>t<1<urn:m|c></urn:m|c></urn:m|a>");
    EXPECT_EQ(parsed(document, xml::Names::AsWritten),
              "<x:a xmlns:x=urn:m xmlns:r=urn:r r:id=7 b=&浦>t<1<x:c></x:c></x:a>");
    EXPECT_EQ(xml::localName("urn:m\x01"
                             "a"),
              "a");
    EXPECT_EQ(xml::localName("plain"), "plain");
}

TEST(XmlParser, AChunkedDocumentGivesTheSameEventsAndPlaces)
{
    const std::string document = "<a><b x=\"1\"/><c>text</c></a>";
    Recorder whole;
    xml::Parser wholeParser(whole, xml::Names::Expanded);
    whole.parser = &wholeParser;
    wholeParser.parse(document);
    // <a> at 0 (3 bytes), <b x="1"/> at 3 (10 bytes; its end after it, with
    // none), <c> at 13, </c> at 20, </a> at 24.
    EXPECT_EQ(whole.places, (std::vector<std::pair<std::uint64_t, std::size_t>>{
                                {0, 3}, {3, 10}, {13, 0}, {13, 3}, {20, 4}, {24, 4}}));

    Recorder chunked;
    xml::Parser chunkedParser(chunked, xml::Names::Expanded);
    chunked.parser = &chunkedParser;
    std::size_t at = 0;
    chunkedParser.parse([&](char* buffer, std::size_t capacity) {
        const std::size_t n = std::min<std::size_t>({capacity, 2, document.size() - at});
        std::memcpy(buffer, document.data() + at, n);
        at += n;
        return n;
    });
    EXPECT_EQ(chunked.log, whole.log);
    EXPECT_EQ(chunked.places, whole.places);
}

struct Refused {
    const char* name;
    const char* document;
    const char* message;
};

class RefusedDocument : public testing::TestWithParam<Refused> {};

TEST_P(RefusedDocument, IsRefusedWithItsReason)
{
    EXPECT_EQ(errorOf([] { parsed(GetParam().document); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RefusedDocument,
    testing::Values(
        Refused{"DocumentType", "<!DOCTYPE a><a/>", xml::kReasonDocumentType},
        Refused{"BillionLaughs", "<!DOCTYPE a [<!ENTITY l \"lol\"><!ENTITY l2 \"&l;&l;&l;&l;\">]><a>&l2;</a>",
                xml::kReasonDocumentType},
        Refused{"ExternalEntity", "<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>",
                xml::kReasonDocumentType},
        Refused{"UndeclaredEntity", "<a>&x;</a>", "it is not well-formed XML (line 1: undefined entity)"},
        Refused{"Unclosed", "<a>\n<b></a>", "it is not well-formed XML (line 2: mismatched tag)"},
        Refused{"Truncated", "<a><b>", "it is not well-formed XML (line 1: no element found)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlParser, ATagThatNeverEndsIsRefusedOnceItOutgrowsTheLimit)
{
    Recorder recorder;
    xml::Parser parser(recorder, xml::Names::Expanded);
    const std::string head = "<a b=\"";
    std::size_t fed = 0;
    const std::string error = errorOf([&] {
        parser.parse([&](char* buffer, std::size_t capacity) {
            std::memset(buffer, 'x', capacity);
            if (fed == 0)
                std::memcpy(buffer, head.data(), head.size());
            fed += capacity;
            return capacity;
        });
    });
    EXPECT_EQ(error, xml::kReasonTokenTooLong);
    EXPECT_LT(fed, std::size_t{10} << 20);
}

TEST(XmlParser, AnExceptionOfTheHandlerStopsTheParseAndComesThroughAsItIs)
{
    class Failing : public xml::Handler {
        void startElement(const char* name, xml::Attributes) override
        {
            if (std::strcmp(name, "b") == 0)
                throw common::Error("the handler's own reason");
        }
        void endElement(const char*) override {}
        void characters(std::string_view) override {}
    } failing;
    xml::Parser parser(failing, xml::Names::AsWritten);
    EXPECT_EQ(errorOf([&] { parser.parse("<a><b/><c/></a>"); }), "the handler's own reason");
}

} // namespace
